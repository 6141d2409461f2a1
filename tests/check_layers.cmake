# Fails, naming the file, when a lower layer includes a higher one:
#   cmake -DROOT=<source dir> -P check_layers.cmake
# numeric/ < machine/ < program/ < panel/ < windows/, batch/. The core below
# the panel includes nothing from the front panel or the front-ends; machine/
# nothing from program/; numeric/ nothing from machine/ or program/; the panel
# nothing from the front-ends.
# Quoted includes are resolved against the including file's directory and the
# source root, angle-bracket includes against the source root.
# It fails too when the core runs an event loop, sleeps or waits: the host
# drives a run one slice at a time, and nothing below the front-ends may call
# back into the host's loop (the modal dialogs the host shows are the host's).
cmake_minimum_required(VERSION 3.22)
if(NOT DEFINED ROOT)
  message(FATAL_ERROR "check_layers.cmake needs -DROOT=<source dir>")
endif()
set(front panel windows batch)
set(forbidden_numeric machine program ${front})
set(forbidden_machine program ${front})
set(forbidden_program ${front})
set(forbidden_panel windows batch)

set(bad 0)
set(checked 0)
foreach(layer numeric machine program panel)
  file(GLOB_RECURSE files LIST_DIRECTORIES false "${ROOT}/${layer}/*")
  foreach(file IN LISTS files)
    math(EXPR checked "${checked} + 1")
    file(RELATIVE_PATH rel "${ROOT}" "${file}")
    get_filename_component(dir "${file}" DIRECTORY)
    file(STRINGS "${file}" waits REGEX "[Pp]rocessEvents|IdleUntil|QEventLoop|sleep_for|sleep_until|usleep|nanosleep|[^a-zA-Z_]sleep[(]")
    foreach(line IN LISTS waits)
      message("${rel}: runs an event loop or waits inside the core: ${line}")
      math(EXPR bad "${bad} + 1")
    endforeach()
    file(STRINGS "${file}" includes REGEX "^[ \t]*#[ \t]*include[ \t]*[<\"]")
    foreach(line IN LISTS includes)
      if(NOT line MATCHES "^[ \t]*#[ \t]*include[ \t]*([<\"])([^>\"]+)[>\"]")
        continue()
      endif()
      set(target "${CMAKE_MATCH_2}")
      set(candidates "${ROOT}/${target}")
      if(CMAKE_MATCH_1 STREQUAL "\"")
        list(APPEND candidates "${dir}/${target}")
      endif()
      foreach(candidate IN LISTS candidates)
        cmake_path(NORMAL_PATH candidate)
        file(RELATIVE_PATH to "${ROOT}" "${candidate}")
        string(REGEX REPLACE "/.*" "" top "${to}")
        if(top IN_LIST forbidden_${layer})
          message("${rel}: includes ${to} (${layer}/ must not include from ${top}/): ${line}")
          math(EXPR bad "${bad} + 1")
          break()
        endif()
      endforeach()
    endforeach()
  endforeach()
endforeach()
if(checked EQUAL 0)
  message(FATAL_ERROR "no files found under ${ROOT}/numeric, machine, program, panel")
endif()
# The window reads the front panel through View() and acts through its
# handlers; Machine() and Prgm() are for hosts that set the calculator up.
file(GLOB files "${ROOT}/windows/*")
foreach(file IN LISTS files)
  file(STRINGS "${file}" doors REGEX "[.>](Machine|Prgm)[(][)]")
  foreach(line IN LISTS doors)
    message("${file}: the window changes the calculator past its handlers: ${line}")
    math(EXPR bad "${bad} + 1")
  endforeach()
endforeach()
if(bad GREATER 0)
  message(FATAL_ERROR "${bad} include(s) across the layers")
endif()
message("layers: ${checked} files checked, no include across the layers")
