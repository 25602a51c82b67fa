# SPDX-License-Identifier: GPL-3.0-or-later
# Fails when the page kept in docs/ is not the one CalcTool writes, which happens whenever the
# unit table changes: write it again with `build/bin/CalcTool --units > docs/units.md`.
#   cmake -DTOOL=… -DPAGE=… -P unitspage.cmake
execute_process(COMMAND "${TOOL}" --units OUTPUT_VARIABLE written RESULT_VARIABLE result)
if(NOT result EQUAL 0)
    message(FATAL_ERROR "CalcTool --units failed: ${result}")
endif()
file(READ "${PAGE}" kept)
if(NOT written STREQUAL kept)
    message(FATAL_ERROR "${PAGE} is not what CalcTool --units writes; write it again with "
                        "`build/bin/CalcTool --units > docs/units.md`")
endif()
