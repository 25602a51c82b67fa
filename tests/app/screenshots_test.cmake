# SPDX-License-Identifier: GPL-3.0-or-later
# Runs the screenshots' program into an empty folder and checks that it makes every picture,
# each more than an empty window: a window without its text compresses to a few kilobytes.
#   cmake -DRENDERER=… -DEXAMPLE=… -DFOLDER=… -P screenshots_test.cmake
file(REMOVE_RECURSE ${FOLDER})
file(MAKE_DIRECTORY ${FOLDER})
execute_process(COMMAND ${RENDERER} ${EXAMPLE} ${FOLDER} RESULT_VARIABLE status TIMEOUT 60)
if(NOT status EQUAL 0)
    message(FATAL_ERROR "figurello_screenshots failed: ${status}")
endif()
foreach(name worksheet-light worksheet-dark worksheet-german function-reference live-update)
    set(picture ${FOLDER}/${name}.png)
    if(NOT EXISTS ${picture})
        message(FATAL_ERROR "${name}.png was not made")
    endif()
    file(SIZE ${picture} bytes)
    if(bytes LESS 20000)
        message(FATAL_ERROR "${name}.png is only ${bytes} bytes")
    endif()
endforeach()
