// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// What the window tests reach a worksheet's window through.

#include "window/forgetsymboldialog.h"
#include "window/mydocument.h"
#include "window/worksheeteditor.h"
#include "window/worksheetwindow.h"
#include "worksheet/worksheet.h"

#include <QAction>
#include <QComboBox>

inline WorksheetWindow* windowOf(const MyDocument* document) { return document->worksheetWindow(); }

inline WorksheetEditor* editorOf(const MyDocument* document) {
    return windowOf(document)->editor();
}

inline WorksheetEditor* editorOf(const MyDocument& document) { return editorOf(&document); }

// The window's command of that menu text, mnemonic and all ("List &Variables"); null when none.
inline QAction* commandOf(const MyDocument* document, const QString& text) {
    for (QAction* command : windowOf(document)->findChildren<QAction*>())
        if (command->text() == text)
            return command;
    return nullptr;
}
