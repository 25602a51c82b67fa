// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

class QTextEdit;

// Keeps the editor's answers in the application palette's result colours from now on, when the
// desktop switches between light and dark.
void followColourScheme(QTextEdit* editor);
