# Plays one battle test twice and requires both runs to agree: the scenario NAME.zs is compiled
# into a copy of the demo game and played headless with a new game (its "#>" lines are the
# input, checks and expectations, which must all pass); the two runs must dump the same state
# below its title line and leave the same COPYRIGHT.TXT, and each file of a folder NAME.expected
# beside the test must be found in the working folder, byte for byte. Called as:
#   cmake -DZAVC=.. -DZAV3=.. -DDEMO=demo-folder -DSRC=file.zs -DWORK=dir -P battle_replay.cmake
file(REMOVE_RECURSE ${WORK})
file(MAKE_DIRECTORY ${WORK}/game)
file(GLOB parts LIST_DIRECTORIES true ${DEMO}/*)
foreach(part ${parts})
  get_filename_component(name ${part} NAME)
  if(NOT name STREQUAL "DATA")
    file(COPY ${part} DESTINATION ${WORK}/game)
  endif()
endforeach()
file(MAKE_DIRECTORY ${WORK}/game/DATA)
execute_process(COMMAND ${ZAVC} compile ${SRC} ${WORK}/game/DATA RESULT_VARIABLE rc)
if(NOT rc EQUAL 0)
  message(FATAL_ERROR "compiling ${SRC} failed")
endif()
get_filename_component(dir ${SRC} DIRECTORY)
get_filename_component(name ${SRC} NAME_WE)

function(play run)
  execute_process(COMMAND ${ZAV3} ${WORK}/game --headless --new-game --work ${WORK}/${run}
                          --input ${SRC} --events ${WORK}/${run}-events.txt
                          --dump-state ${WORK}/${run}-state.txt
                  WORKING_DIRECTORY ${WORK} RESULT_VARIABLE rc OUTPUT_VARIABLE out)
  if(NOT rc EQUAL 0)
    message(FATAL_ERROR "battle ${SRC} failed in run ${run} (status ${rc}):\n${out}")
  endif()
  file(STRINGS ${WORK}/${run}-state.txt lines)
  list(REMOVE_AT lines 0)
  set(${run}_state "${lines}" PARENT_SCOPE)
endfunction()

play(first)
play(again)
if(NOT first_state STREQUAL again_state)
  message(FATAL_ERROR "battle ${SRC}: two runs dumped different states")
endif()
execute_process(COMMAND ${CMAKE_COMMAND} -E compare_files ${WORK}/first/COPYRIGHT.TXT
                        ${WORK}/again/COPYRIGHT.TXT RESULT_VARIABLE rc)
if(NOT rc EQUAL 0)
  message(FATAL_ERROR "battle ${SRC}: two runs wrote different play records")
endif()
if(IS_DIRECTORY ${dir}/${name}.expected)
  file(GLOB_RECURSE expected RELATIVE ${dir}/${name}.expected ${dir}/${name}.expected/*)
  foreach(file ${expected})
    execute_process(COMMAND ${CMAKE_COMMAND} -E compare_files ${dir}/${name}.expected/${file}
                            ${WORK}/first/${file}
                    RESULT_VARIABLE rc)
    if(NOT rc EQUAL 0)
      message(FATAL_ERROR "battle ${SRC}: the working folder's ${file} is not the expected one")
    endif()
  endforeach()
endif()
message("1 passed, 0 failed")
