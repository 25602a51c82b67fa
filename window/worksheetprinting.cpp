// SPDX-License-Identifier: GPL-3.0-or-later
#include "window/worksheetprinting.h"

#include "platform/keyedtexts.h"

#include <QCoreApplication>
#include <QDir>
#include <QLocale>
#include <QPdfWriter>
#include <QPrinter>
#include <QSaveFile>
#include <QTextDocument>

QPageLayout worksheetPageLayout() {
    // The text's own margin adds to these.
    const bool usPaper = QLocale().measurementSystem() == QLocale::ImperialUSSystem;
    return QPageLayout(QPageSize(usPaper ? QPageSize::Letter : QPageSize::A4),
                       QPageLayout::Portrait, QMarginsF(10, 10, 10, 10), QPageLayout::Millimeter);
}

bool writeWorksheetPdf(const QTextDocument& text, const QString& path, const QString& title,
                       QString* error) {
    QSaveFile file(path);
    if (file.open(QIODevice::WriteOnly)) {
        {
            QPdfWriter pdf(&file);
            pdf.setPageLayout(worksheetPageLayout());
            pdf.setResolution(QPrinter(QPrinter::HighResolution).resolution());
            pdf.setTitle(title);
            pdf.setCreator(QCoreApplication::applicationName());
            text.print(&pdf);
        }
        if (file.error() == QFileDevice::NoError && file.commit())
            return true;
    }
    *error =
        platform::keyedText("CannotWrite").arg(QDir::toNativeSeparators(path), file.errorString());
    return false;
}
