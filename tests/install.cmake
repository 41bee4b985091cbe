# The installation: `cmake --install` into a temporary prefix puts the engine, the tools, the
# demo, the manual page, the desktop entry, the icon and the AppStream metadata in their
# places, and the installed engine plays the installed demo headless (found by itself, without
# a game folder given). Called as:
#   cmake -DBUILD=build-dir -DINPUT=autoplay.txt -DWORK=dir -P install.cmake
file(REMOVE_RECURSE ${WORK})
execute_process(COMMAND ${CMAKE_COMMAND} --install ${BUILD} --prefix ${WORK}/prefix
                RESULT_VARIABLE rc OUTPUT_QUIET)
if(NOT rc EQUAL 0)
  message(FATAL_ERROR "cmake --install failed (status ${rc})")
endif()
foreach(f bin/zav3 bin/zavc share/zav3/demo/DATA/PRO.RND share/zav3/demo/OP_CG/023.BMP
          share/man/man6/zav3.6 share/applications/zav3.desktop
          share/icons/hicolor/256x256/apps/zav3.png share/metainfo/zav3.metainfo.xml)
  if(NOT EXISTS ${WORK}/prefix/${f})
    message(FATAL_ERROR "the installation lacks ${f}")
  endif()
endforeach()
if(EXISTS ${WORK}/prefix/share/zav3/demo/zav3.png)
  message(FATAL_ERROR "the icon was installed into the demo folder too")
endif()
execute_process(COMMAND ${WORK}/prefix/bin/zav3 --headless --new-game --work ${WORK}/play
                        --input ${INPUT} --max-records 150 --transcript ${WORK}/transcript.txt
                RESULT_VARIABLE rc)
if(NOT rc EQUAL 0)
  message(FATAL_ERROR "the installed zav3 failed on the installed demo (status ${rc})")
endif()
file(READ ${WORK}/transcript.txt shown)
if(NOT shown MATCHES "【ミナ】\n通信長の高瀬ミナです。")
  message(FATAL_ERROR "the installed demo did not play as it should:\n${shown}")
endif()
message("1 passed, 0 failed")
