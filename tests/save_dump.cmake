# Plays the demo headless to its first click wait, saves into slot 1 through the option menu
# (menu button, save button, first slot) and ends there: the slot and the state dump of the same
# moment must agree line for line below their title lines. A second run loads the slot from the
# command line and ends at the first wait of the message shown again: its dump agrees too.
# Called as: cmake -DZAV3=path/to/zav3 -DGAME=demo-folder -DWORK=dir -P save_dump.cmake
file(REMOVE_RECURSE ${WORK})
file(MAKE_DIRECTORY ${WORK})

# The bytes of a file below its first line (the title: date and time), as hex.
function(body_of file out)
  file(STRINGS ${file} first LIMIT_COUNT 1)
  string(LENGTH "${first}" length)
  math(EXPR offset "${length} + 2")
  file(READ ${file} hex OFFSET ${offset} HEX)
  set(${out} "${hex}" PARENT_SCOPE)
endfunction()

function(play name input)
  file(WRITE ${WORK}/${name}.txt "${input}")
  execute_process(COMMAND ${ZAV3} ${GAME} --headless --work ${WORK}/work ${ARGN}
                          --input ${WORK}/${name}.txt --events ${WORK}/${name}-events.txt
                          --dump-state ${WORK}/${name}-state.txt
                  RESULT_VARIABLE rc ERROR_VARIABLE err)
  if(NOT rc EQUAL 0)
    message(FATAL_ERROR "the ${name} run ended with status ${rc}:\n${err}")
  endif()
endfunction()

function(expect_same what a b)
  body_of(${a} first)
  body_of(${b} second)
  if(NOT first STREQUAL second)
    file(STRINGS ${a} la)
    file(STRINGS ${b} lb)
    list(LENGTH la n)
    math(EXPR last "${n} - 1")
    foreach(i RANGE 1 ${last})
      list(GET la ${i} x)
      list(GET lb ${i} y)
      if(NOT x STREQUAL y)
        math(EXPR line "${i} + 1")
        message(FATAL_ERROR "${what}: line ${line} is '${x}' in ${a} and '${y}' in ${b}")
      endif()
    endforeach()
    message(FATAL_ERROR "${what}: ${a} and ${b} differ")
  endif()
endfunction()

play(save "click 610 400\nclick 500 90\nclick 500 75\n" --new-game)
set(slot ${WORK}/work/SAVEDATA/SAVE1.DAT)
file(READ ${slot} head LIMIT 3 HEX)
if(head STREQUAL "2d0d0a")
  message(FATAL_ERROR "the save menu left slot 1 empty; events:\n${WORK}/save-events.txt")
endif()
file(READ ${slot} bounds OFFSET 0 HEX)
string(FIND "${bounds}" "0d0a20323030200d0a203230303020" at)
if(at LESS 0)
  message(FATAL_ERROR "slot 1 is not in the save slot layout")
endif()
expect_same("slot and dump" ${slot} ${WORK}/save-state.txt)

play(load "" --load 1)
expect_same("slot and the dump after loading it" ${slot} ${WORK}/load-state.txt)
message("2 passed, 0 failed")
