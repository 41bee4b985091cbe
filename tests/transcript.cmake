# What ./play prints without a display: the demo played headless by a player who clicks
# through, as a transcript (the opening's narration, speakers and their lines, lists and the
# options taken), the same as tests/golden/transcript.txt; and --snapshot writes the main
# picture at the end as a PNG of the main form's size. Called as:
#   cmake -DZAV3=.. -DDEMO=demo-folder -DINPUT=autoplay.txt -DWORK=dir -P transcript.cmake
file(REMOVE_RECURSE ${WORK})
file(MAKE_DIRECTORY ${WORK})
execute_process(COMMAND ${ZAV3} --headless --game ${DEMO} --new-game --work ${WORK}/play
                        --input ${INPUT} --max-records 120 --transcript ${WORK}/transcript.txt
                        --snapshot ${WORK}/end.png
                RESULT_VARIABLE rc)
if(NOT rc EQUAL 0)
  message(FATAL_ERROR "the headless play failed (status ${rc})")
endif()
execute_process(COMMAND ${CMAKE_COMMAND} -E compare_files ${WORK}/transcript.txt
                        ${CMAKE_CURRENT_LIST_DIR}/golden/transcript.txt RESULT_VARIABLE rc)
if(NOT rc EQUAL 0)
  file(READ ${WORK}/transcript.txt shown)
  message(FATAL_ERROR "the transcript is not tests/golden/transcript.txt; it was:\n${shown}")
endif()
file(READ ${WORK}/end.png head LIMIT 24 HEX)
# The PNG signature, then the header chunk: 640 x 480.
if(NOT head MATCHES "^89504e470d0a1a0a0000000d4948445200000280000001e0")
  message(FATAL_ERROR "--snapshot did not write a 640 x 480 PNG (${head})")
endif()
message("1 passed, 0 failed")
