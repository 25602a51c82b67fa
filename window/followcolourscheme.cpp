#include "window/followcolourscheme.h"

#include "worksheet/answercolours.h"
#include "worksheet/worksheetcolours.h"

#include <QTextEdit>

void followColourScheme(QTextEdit* editor) {
    // Answers were coloured for the application palette, as WorksheetSettings reads it.
    QObject::connect(new ColourSchemeWatcher(editor), &ColourSchemeWatcher::schemeSwitched, editor,
                     [editor](const QPalette& before, const QPalette& now) {
                         recolourAnswers(editor->document(), before, now);
                     });
}
