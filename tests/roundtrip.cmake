# Byte-exact round trip of a DATA folder: disassembles it with zavc into WORK/src.zs, compiles
# that into WORK/DATA and compares the four files with the originals. Called as:
#   cmake -DZAVC=path/to/zavc -DDATA=dir-with-the-4-files -DWORK=scratch-dir -P roundtrip.cmake
foreach(var ZAVC DATA WORK)
  if(NOT DEFINED ${var})
    message(FATAL_ERROR "roundtrip.cmake needs -D${var}=...")
  endif()
endforeach()

file(REMOVE_RECURSE ${WORK})
file(MAKE_DIRECTORY ${WORK})

execute_process(COMMAND ${ZAVC} disasm ${DATA} ${WORK}/src.zs
                RESULT_VARIABLE rc ERROR_VARIABLE err)
if(NOT rc EQUAL 0)
  message(FATAL_ERROR "zavc disasm ${DATA} failed (status ${rc}):\n${err}")
endif()

execute_process(COMMAND ${ZAVC} compile ${WORK}/src.zs ${WORK}/DATA
                RESULT_VARIABLE rc ERROR_VARIABLE err)
if(NOT rc EQUAL 0)
  message(FATAL_ERROR "zavc compile ${WORK}/src.zs failed (status ${rc}):\n${err}")
endif()

set(different "")
foreach(name PRO.RND TXT.RND JMP.DAT MAN.DAT)
  execute_process(COMMAND ${CMAKE_COMMAND} -E compare_files ${DATA}/${name} ${WORK}/DATA/${name}
                  RESULT_VARIABLE rc)
  if(NOT rc EQUAL 0)
    list(APPEND different ${name})
  endif()
endforeach()
if(different)
  message(FATAL_ERROR "round trip of ${DATA} changed: ${different} (source: ${WORK}/src.zs)")
endif()
message("1 passed, 0 failed")
