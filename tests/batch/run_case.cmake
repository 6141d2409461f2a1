# Runs one key script through the batch front-end:
#   cmake -DBATCH=<program> -DCASES=<tests/batch> -DNAME=<name> -DWORK_ROOT=<dir> -P run_case.cmake
# NAME.keys is standard input (a first line "#args: ..." adds arguments); NAME.rc the exit status (0 when
# absent); NAME.expected lines that must appear as whole lines, in order; NAME.files/ is copied into the
# fresh working directory (also HOME and the XDG directories), removed afterwards.
cmake_minimum_required(VERSION 3.22)
set(keys "${CASES}/${NAME}.keys")
file(STRINGS "${keys}" first LIMIT_COUNT 1)
if(first MATCHES "^#args: *(.*)$")
  separate_arguments(args UNIX_COMMAND "${CMAKE_MATCH_1}")
endif()

set(work "${WORK_ROOT}/${NAME}")
file(REMOVE_RECURSE "${work}")
file(MAKE_DIRECTORY "${work}")
if(IS_DIRECTORY "${CASES}/${NAME}.files")
  file(COPY "${CASES}/${NAME}.files/" DESTINATION "${work}")
endif()
set(ENV{HOME} "${work}")
foreach(xdg CONFIG DATA CACHE STATE)
  set(ENV{XDG_${xdg}_HOME} "${work}/.xdg-${xdg}")
endforeach()
execute_process(COMMAND ${BATCH} ${args} INPUT_FILE "${keys}"
                OUTPUT_VARIABLE out ERROR_VARIABLE err RESULT_VARIABLE rc
                WORKING_DIRECTORY "${work}" TIMEOUT 100)
file(REMOVE_RECURSE "${work}")

set(expected_rc 0)
if(EXISTS "${CASES}/${NAME}.rc")
  file(STRINGS "${CASES}/${NAME}.rc" expected_rc)
endif()
set(fault "")
if(NOT rc STREQUAL expected_rc)
  set(fault "exit status ${rc}, expected ${expected_rc}")
elseif(EXISTS "${CASES}/${NAME}.expected")
  file(STRINGS "${CASES}/${NAME}.expected" lines)
  # Whole lines only: "X: 0" must not match inside "LASTX: 0".
  set(rest "\n${out}")
  foreach(line IN LISTS lines)
    string(FIND "${rest}" "\n${line}\n" pos)
    if(pos EQUAL -1)
      set(fault "missing line: ${line}")
      break()
    endif()
    string(LENGTH "\n${line}" len)
    math(EXPR pos "${pos} + ${len}")
    string(SUBSTRING "${rest}" ${pos} -1 rest)
  endforeach()
endif()
if(NOT fault STREQUAL "")
  message(FATAL_ERROR "key script ${NAME}: ${fault}\n---- output:\n${out}\n---- errors:\n${err}")
endif()
