# SPDX-License-Identifier: GPL-3.0-or-later
# cmake -DSOURCE_DIR=DIR -P sources-carry-licence.cmake
#
# Fails, naming them, when source files under DIR lack the licence line in their first three
# lines: C++, CMake, Python and shell files, and any file that starts with "#!".
cmake_minimum_required(VERSION 3.25)

set(licence_line "SPDX-License-Identifier: GPL-3.0-or-later")

# A checkout lists its files itself, new ones not yet added included; a source tree unpacked from
# an archive is walked.
execute_process(COMMAND git -C "${SOURCE_DIR}" rev-parse --show-toplevel
                OUTPUT_VARIABLE toplevel OUTPUT_STRIP_TRAILING_WHITESPACE
                RESULT_VARIABLE not_a_checkout ERROR_QUIET)
file(REAL_PATH "${SOURCE_DIR}" source_dir)
if(NOT not_a_checkout)
    file(REAL_PATH "${toplevel}" toplevel)
endif()
if(NOT not_a_checkout AND toplevel STREQUAL source_dir)
    execute_process(COMMAND git -c core.quotepath=off -C "${SOURCE_DIR}"
                            ls-files --cached --others --exclude-standard
                    OUTPUT_VARIABLE listing COMMAND_ERROR_IS_FATAL ANY)
    string(REPLACE "\n" ";" files "${listing}")
else()
    file(GLOB_RECURSE files LIST_DIRECTORIES false RELATIVE "${SOURCE_DIR}" "${SOURCE_DIR}/*")
    # The build folders the scripts make, even emptied of their cache.
    list(FILTER files EXCLUDE REGEX "^(\\.git|build|build-[^/]*)/")
endif()

# Any other build folder is known by its cache (an in-source build cannot be told apart).
set(build_dirs)
foreach(file IN LISTS files)
    if(file MATCHES "^(.+/)CMakeCache\\.txt$")
        list(APPEND build_dirs "${CMAKE_MATCH_1}")
    endif()
endforeach()

# Fuzz inputs are data, whatever their first bytes look like.
list(FILTER files EXCLUDE REGEX "^tests/fuzz/(corpus|findings)/")

set(unlicensed)
set(checked 0)
foreach(file IN LISTS files)
    set(path "${SOURCE_DIR}/${file}")
    if(file STREQUAL "" OR IS_DIRECTORY "${path}" OR NOT EXISTS "${path}")
        continue()
    endif()
    set(in_build_dir FALSE)
    foreach(dir IN LISTS build_dirs)
        string(FIND "${file}" "${dir}" at)
        if(at EQUAL 0)
            set(in_build_dir TRUE)
        endif()
    endforeach()
    if(in_build_dir)
        continue()
    endif()
    if(NOT file MATCHES "(\\.(cpp|h|cmake|py|sh)|(^|/)CMakeLists\\.txt)$")
        file(READ "${path}" start LIMIT 2 HEX)
        if(NOT start STREQUAL "2321") # "#!"
            continue()
        endif()
    endif()
    file(READ "${path}" head LIMIT 4096)
    math(EXPR checked "${checked} + 1")
    # The first three lines: cut after the third line break, if there is one.
    set(first_lines "")
    foreach(line RANGE 1 3)
        string(FIND "${head}" "\n" end)
        if(end EQUAL -1)
            string(APPEND first_lines "${head}")
            break()
        endif()
        math(EXPR end "${end} + 1")
        string(SUBSTRING "${head}" 0 ${end} text)
        string(SUBSTRING "${head}" ${end} -1 head)
        string(APPEND first_lines "${text}")
    endforeach()
    string(FIND "${first_lines}" "${licence_line}" found)
    if(found EQUAL -1)
        list(APPEND unlicensed "${file}")
    endif()
endforeach()

if(unlicensed)
    list(JOIN unlicensed "\n  " names)
    message(FATAL_ERROR "No \"${licence_line}\" in the first three lines of:\n  ${names}")
endif()
message(STATUS "All ${checked} source files carry the licence line")
