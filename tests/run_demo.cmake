# Plays the demo headless from the first record to END with a new game, clicking through, and
# checks the forms of the record trace and of the state dump. Called as:
#   cmake -DZAV3=path/to/zav3 -DGAME=demo-folder -DINPUT=autoplay.txt -DWORK=dir -P run_demo.cmake
file(REMOVE_RECURSE ${WORK})
file(MAKE_DIRECTORY ${WORK})
execute_process(COMMAND ${ZAV3} ${GAME} --headless --new-game --work ${WORK}/work --input ${INPUT}
                        --trace ${WORK}/trace.txt --dump-state ${WORK}/state.txt
                RESULT_VARIABLE rc ERROR_VARIABLE err)
if(NOT rc EQUAL 0)
  message(FATAL_ERROR "the demo ended with status ${rc}:\n${err}")
endif()
file(STRINGS ${WORK}/trace.txt trace)
list(GET trace 0 first)
list(GET trace -1 last)
if(NOT first STREQUAL "1 VL" OR NOT last MATCHES "^[0-9]+ END$")
  message(FATAL_ERROR "the record trace runs from '${first}' to '${last}'")
endif()
file(READ ${WORK}/state.txt state HEX)
# The title line, then the four bounds " 200 ", " 2000 ", " 10 ", " 64 " each ended by CR LF.
string(FIND "${state}" "0d0a20323030200d0a203230303020" bounds)
if(NOT bounds EQUAL 38)
  message(FATAL_ERROR "the state dump does not start with the save slot layout")
endif()
message("1 passed, 0 failed")
