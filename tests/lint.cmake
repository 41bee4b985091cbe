# The scenario checker: zavc lint reports exactly the lines of lint/lint_faults.expected for
# lint/lint_faults.zs, nothing for the demo, and the compiler's error for an undefined label.
# Called as:
#   cmake -DZAVC=path/to/zavc -DSOURCE=project-dir -DDEMO=demo-game-dir -DWORK=scratch-dir
#         -P lint.cmake
foreach(var ZAVC SOURCE DEMO WORK)
  if(NOT DEFINED ${var})
    message(FATAL_ERROR "lint.cmake needs -D${var}=...")
  endif()
endforeach()
file(REMOVE_RECURSE ${WORK})
file(MAKE_DIRECTORY ${WORK})

# One of each fault, checked against the demo's game folder.
execute_process(COMMAND ${ZAVC} lint lint_faults.zs ${DEMO}
                WORKING_DIRECTORY ${SOURCE}/tests/lint
                RESULT_VARIABLE rc OUTPUT_VARIABLE out ERROR_VARIABLE err)
file(READ ${SOURCE}/tests/lint/lint_faults.expected expected)
if(rc EQUAL 0 OR NOT out STREQUAL expected)
  file(WRITE ${WORK}/lint_faults.out "${out}")
  message(FATAL_ERROR "zavc lint lint_faults.zs (status ${rc}) reported:\n${out}${err}"
                      "expected (tests/lint/lint_faults.expected):\n${expected}")
endif()
string(REGEX MATCHALL "\n" lines "${expected}")
list(LENGTH lines count)
if(NOT err STREQUAL "${count} warnings\n")
  message(FATAL_ERROR "zavc lint lint_faults.zs ended with '${err}', not '${count} warnings'")
endif()

# The demo, with its game folder, and the other spelling of the command.
execute_process(COMMAND ${ZAVC} --lint content/demo/main.zs ${DEMO}
                WORKING_DIRECTORY ${SOURCE}
                RESULT_VARIABLE rc OUTPUT_VARIABLE out ERROR_VARIABLE err)
if(NOT rc EQUAL 0 OR NOT out STREQUAL "" OR NOT err STREQUAL "")
  message(FATAL_ERROR "zavc lint of the demo (status ${rc}) reported:\n${out}${err}")
endif()

# A jump to a label nobody defines stays a compile error.
file(WRITE ${WORK}/undefined.zs "label start\nJ :nowhere\n")
execute_process(COMMAND ${ZAVC} lint undefined.zs WORKING_DIRECTORY ${WORK}
                RESULT_VARIABLE rc OUTPUT_VARIABLE out ERROR_VARIABLE err)
set(expected "undefined.zs:2: undefined label 'nowhere'\n1 error\n")
if(NOT rc EQUAL 1 OR NOT out STREQUAL "" OR NOT err STREQUAL expected)
  message(FATAL_ERROR "zavc lint undefined.zs (status ${rc}) reported:\n${out}${err}")
endif()
message("3 passed, 0 failed")
