// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The one application object the Qt-based targets need for fonts and documents. Offscreen, and
// quiet: Qt's warnings about damaged input would drown libFuzzer's own output.
void StartQtApplication(int* argc, char*** argv);
