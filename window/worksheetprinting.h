// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QPageLayout>
#include <QString>

class QTextDocument;

// A worksheet's pages: paper as the user's locale has it, with narrow margins, and the text
// from the top of the first page.
QPageLayout worksheetPageLayout();

// Writes the pages as a PDF file, beside any old file and over it only when complete; false,
// with a sentence saying why, when it cannot.
bool writeWorksheetPdf(const QTextDocument& text, const QString& path, const QString& title,
                       QString* error);
