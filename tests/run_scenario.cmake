# Compiles one scenario test with zavc and runs it headless with its own "#>" directives as the
# input script. Called as: cmake -DZAVC=.. -DZAV3=.. -DSRC=file.zs -DWORK=dir -P run_scenario.cmake
file(REMOVE_RECURSE ${WORK})
file(MAKE_DIRECTORY ${WORK}/DATA)
execute_process(COMMAND ${ZAVC} compile ${SRC} ${WORK}/DATA RESULT_VARIABLE rc)
if(NOT rc EQUAL 0)
  message(FATAL_ERROR "compiling ${SRC} failed")
endif()
# Every test scenario also comes back byte for byte through the disassembler.
execute_process(COMMAND ${CMAKE_COMMAND} -DZAVC=${ZAVC} -DDATA=${WORK}/DATA -DWORK=${WORK}/roundtrip
                        -P ${CMAKE_CURRENT_LIST_DIR}/roundtrip.cmake
                RESULT_VARIABLE rc OUTPUT_QUIET)
if(NOT rc EQUAL 0)
  message(FATAL_ERROR "${SRC} does not come back byte for byte through zavc disasm")
endif()
execute_process(COMMAND ${ZAV3} --script-only --game ${WORK} --input ${SRC}
                        --trace ${WORK}/trace.txt --events ${WORK}/events.txt --dump-state ${WORK}/state.txt
                RESULT_VARIABLE rc)
if(NOT rc EQUAL 0)
  file(READ ${WORK}/events.txt events)
  message(FATAL_ERROR "scenario ${SRC} failed (status ${rc}); what it showed:\n${events}")
endif()
