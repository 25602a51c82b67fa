# SPDX-License-Identifier: GPL-3.0-or-later
# Brings the Qt Linguist files up to date with the sources (MODE=update), or fails when running
# lupdate would change them (MODE=check), so a text added without a translation shows in CTest.
#   cmake -DLUPDATE=… -DSOURCE_DIR=… -DWORK_DIR=… -DTS_FILES=a.ts,b.ts -DPLURALS_ONLY=b.ts
#         -DMODE=update|check -P lupdate.cmake
#
# No line numbers are kept in the files: they would change with every edit of the sources.
set(folders app platform window worksheet toollink rtf)
# The include path lets lupdate see the namespace a class is declared in ("platform::"), which
# is part of the context tr() translates in.
set(options -silent -I ${SOURCE_DIR} -locations none -no-obsolete)

set(stale "")
function(bring_up_to_date name)
    set(ts ${SOURCE_DIR}/translations/${name})
    set(target ${ts})
    if(MODE STREQUAL "check")
        set(target ${WORK_DIR}/${name})
        file(COPY_FILE ${ts} ${target})
    endif()
    execute_process(COMMAND ${LUPDATE} ${options} ${ARGN} ${folders} -ts ${target}
                    WORKING_DIRECTORY ${SOURCE_DIR} RESULT_VARIABLE failed)
    if(failed)
        message(FATAL_ERROR "lupdate failed on ${name}")
    endif()
    if(MODE STREQUAL "check")
        execute_process(COMMAND ${CMAKE_COMMAND} -E compare_files ${ts} ${target}
                        RESULT_VARIABLE differs)
        if(differs)
            set(stale ${stale} ${name} PARENT_SCOPE)
        endif()
    endif()
endfunction()

string(REPLACE "," ";" ts_files "${TS_FILES}")
foreach(name IN LISTS ts_files)
    if(name STREQUAL PLURALS_ONLY)
        bring_up_to_date(${name} -pluralonly)
    else()
        bring_up_to_date(${name})
    endif()
endforeach()

if(stale)
    message(FATAL_ERROR "Not current with the sources: ${stale}. Run `cmake --build BUILD "
                        "--target figurello_lupdate` and translate what it marks unfinished.")
endif()
