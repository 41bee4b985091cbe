# Plays one screen test: the scenario NAME.zs is compiled with zavc into a copy of the demo game
# (its pictures, faces, frames, sounds and movies) and played headless through the whole
# start-up with a new game (or from the title menu for a test named title_*); the "#>" lines of the scenario are the input script, so its
# snapshots, pixel checks and expectations run against the real screen. Called as:
#   cmake -DZAVC=.. -DZAV3=.. -DDEMO=demo-folder -DSRC=file.zs -DWORK=dir -P run_screen.cmake
file(REMOVE_RECURSE ${WORK})
file(MAKE_DIRECTORY ${WORK}/game)
file(GLOB parts LIST_DIRECTORIES true ${DEMO}/*)
foreach(part ${parts})
  get_filename_component(name ${part} NAME)
  if(NOT name STREQUAL "DATA")
    file(COPY ${part} DESTINATION ${WORK}/game)
  endif()
endforeach()
# Files of the test itself (a folder NAME.files beside it) go over the copy: broken pictures
# and the like.
get_filename_component(dir ${SRC} DIRECTORY)
get_filename_component(name ${SRC} NAME_WE)
if(IS_DIRECTORY ${dir}/${name}.files)
  file(GLOB extras LIST_DIRECTORIES true ${dir}/${name}.files/*)
  file(COPY ${extras} DESTINATION ${WORK}/game)
endif()
# A folder NAME.work beside the test holds what the working folder already has before the run.
if(IS_DIRECTORY ${dir}/${name}.work)
  file(GLOB extras LIST_DIRECTORIES true ${dir}/${name}.work/*)
  file(COPY ${extras} DESTINATION ${WORK}/work)
endif()
file(MAKE_DIRECTORY ${WORK}/game/DATA)
execute_process(COMMAND ${ZAVC} compile ${SRC} ${WORK}/game/DATA RESULT_VARIABLE rc)
if(NOT rc EQUAL 0)
  message(FATAL_ERROR "compiling ${SRC} failed")
endif()
# A test whose name starts with "title_" starts at the title menu instead of a new game.
set(start --new-game)
if(name MATCHES "^title_")
  set(start)
endif()
execute_process(COMMAND ${ZAV3} ${WORK}/game --headless ${start} --work ${WORK}/work
                        --input ${SRC} --trace ${WORK}/trace.txt --events ${WORK}/events.txt
                        --dump-state ${WORK}/state.txt
                WORKING_DIRECTORY ${WORK}
                RESULT_VARIABLE rc)
if(NOT rc EQUAL 0)
  file(READ ${WORK}/events.txt events)
  message(FATAL_ERROR "screen test ${SRC} failed (status ${rc}); what it showed:\n${events}")
endif()
# A folder NAME.expected beside the test holds files the run must leave in the working folder,
# byte for byte.
if(IS_DIRECTORY ${dir}/${name}.expected)
  file(GLOB_RECURSE expected RELATIVE ${dir}/${name}.expected ${dir}/${name}.expected/*)
  foreach(file ${expected})
    execute_process(COMMAND ${CMAKE_COMMAND} -E compare_files ${dir}/${name}.expected/${file}
                            ${WORK}/work/${file}
                    RESULT_VARIABLE rc)
    if(NOT rc EQUAL 0)
      message(FATAL_ERROR "screen test ${SRC}: the working folder's ${file} is not the expected one")
    endif()
  endforeach()
endif()
