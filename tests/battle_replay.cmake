# Plays one battle or replay test twice as a screen test (run_screen.cmake: a copy of the demo
# game, a new game, the "#>" lines as input, checks and expectations, the files of NAME.expected)
# and requires both runs to agree: the same state dumped below its title line and the same
# COPYRIGHT.TXT; a stored NAME.state beside the test must be that state. Called as:
#   cmake -DZAVC=.. -DZAV3=.. -DDEMO=demo-folder -DSRC=file.zs -DWORK=dir -P battle_replay.cmake
foreach(run first again)
  execute_process(COMMAND ${CMAKE_COMMAND} -DZAVC=${ZAVC} -DZAV3=${ZAV3} -DDEMO=${DEMO}
                          -DSRC=${SRC} -DWORK=${WORK}/${run}
                          -P ${CMAKE_CURRENT_LIST_DIR}/run_screen.cmake
                  RESULT_VARIABLE rc OUTPUT_VARIABLE out ERROR_VARIABLE err)
  if(NOT rc EQUAL 0)
    message(FATAL_ERROR "battle ${SRC} failed in the run '${run}':\n${out}${err}")
  endif()
  file(STRINGS ${WORK}/${run}/state.txt lines)
  list(REMOVE_AT lines 0)
  set(${run}_state "${lines}")
endforeach()
if(NOT first_state STREQUAL again_state)
  message(FATAL_ERROR "battle ${SRC}: two runs dumped different states")
endif()
execute_process(COMMAND ${CMAKE_COMMAND} -E compare_files ${WORK}/first/work/COPYRIGHT.TXT
                        ${WORK}/again/work/COPYRIGHT.TXT RESULT_VARIABLE rc)
if(NOT rc EQUAL 0)
  message(FATAL_ERROR "battle ${SRC}: two runs wrote different play records")
endif()
# A stored state, NAME.state beside the test, must be what both runs dumped.
get_filename_component(dir ${SRC} DIRECTORY)
get_filename_component(name ${SRC} NAME_WE)
if(EXISTS ${dir}/${name}.state)
  file(STRINGS ${dir}/${name}.state stored)
  list(REMOVE_AT stored 0)
  if(NOT first_state STREQUAL stored)
    message(FATAL_ERROR "replay ${SRC}: the state dumped is not the stored ${name}.state")
  endif()
endif()
message("1 passed, 0 failed")
