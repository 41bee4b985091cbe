# A play replays exactly from a chosen random state: the crew scenario run twice with
# --random-state gives the same state dump byte for byte below its title line, and the same last
# events line (the state the run left); another state gives another dump. Called as:
#   cmake -DZAVC=.. -DZAV3=.. -DSRC=crew_activity.zs -DWORK=dir -P random_replay.cmake
file(REMOVE_RECURSE ${WORK})
file(MAKE_DIRECTORY ${WORK}/DATA)
execute_process(COMMAND ${ZAVC} compile ${SRC} ${WORK}/DATA RESULT_VARIABLE rc)
if(NOT rc EQUAL 0)
  message(FATAL_ERROR "compiling ${SRC} failed")
endif()

function(play name state)
  execute_process(COMMAND ${ZAV3} --script-only --game ${WORK} --random-state ${state}
                          --input ${SRC} --events ${WORK}/${name}-events.txt
                          --dump-state ${WORK}/${name}-state.txt
                  OUTPUT_QUIET ERROR_QUIET)
  file(STRINGS ${WORK}/${name}-state.txt lines)
  list(REMOVE_AT lines 0)
  set(${name}_state "${lines}" PARENT_SCOPE)
  file(STRINGS ${WORK}/${name}-events.txt events)
  list(GET events -1 last)
  set(${name}_last "${last}" PARENT_SCOPE)
endfunction()

play(first 641339)
play(again 641339)
play(other 1)
if(NOT first_state STREQUAL again_state)
  message(FATAL_ERROR "two runs from state 641339 dumped different states")
endif()
if(NOT first_last MATCHES "^random state [0-9]+$" OR NOT first_last STREQUAL again_last)
  message(FATAL_ERROR "the runs ended with '${first_last}' and '${again_last}'")
endif()
if(first_state STREQUAL other_state OR first_last STREQUAL other_last)
  message(FATAL_ERROR "the run from state 1 dumped what the run from state 641339 did")
endif()
message("1 passed, 0 failed")
