# Runs one example program: cmake -DBATCH=<program> -DFILE=<examples/NAME.corvel> -DWORK=<dir> -P run_example.cmake
# The listing's header names the keys that run it ("# keys: ...") and a line of the batch output it must
# give ("# expect: ..."). It runs in a fresh directory of its own, since examples may write files.
file(STRINGS "${FILE}" keys_line REGEX "^# keys: ")
file(STRINGS "${FILE}" expect_line REGEX "^# expect: ")
if(NOT keys_line OR NOT expect_line)
  message(FATAL_ERROR "${FILE}: the header needs a '# keys:' and an '# expect:' line")
endif()
string(REGEX REPLACE "^# keys: *" "" keys "${keys_line}")
string(REGEX REPLACE "^# expect: *" "" expect "${expect_line}")
separate_arguments(keys UNIX_COMMAND "${keys}")
file(REMOVE_RECURSE "${WORK}")
file(MAKE_DIRECTORY "${WORK}")
execute_process(COMMAND ${BATCH} --load ${FILE} ${keys}
                WORKING_DIRECTORY "${WORK}" OUTPUT_VARIABLE out ERROR_VARIABLE err RESULT_VARIABLE rc TIMEOUT 100)
file(REMOVE_RECURSE "${WORK}")
string(FIND "\n${out}" "\n${expect}\n" pos)
if(NOT rc EQUAL 0 OR pos EQUAL -1)
  message(FATAL_ERROR "${FILE}: exit status ${rc}; expected the line '${expect}' in:\n${out}\n${err}")
endif()
