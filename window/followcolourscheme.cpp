// SPDX-License-Identifier: GPL-3.0-or-later
#include "window/followcolourscheme.h"

#include "worksheet/answercolours.h"
#include "worksheet/worksheetcolours.h"

#include <QTextEdit>

void followColourScheme(QTextEdit* editor) {
    // Answers are coloured for the application palette.
    QObject::connect(new ColourSchemeWatcher(editor), &ColourSchemeWatcher::schemeSwitched, editor,
                     [editor](const QPalette& before, const QPalette& now) {
                         recolourAnswers(editor->document(), before, now);
                     });
}
