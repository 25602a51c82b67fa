// SPDX-License-Identifier: GPL-3.0-or-later
// The printed pages, seen through the PDF export: the text starts at the top of the first page.

#include "platform/documentcontroller.h"
#include "window/mydocument.h"
#include "window/worksheeteditor.h"
#include "window/worksheetprinting.h"
#include "windowtesting.h"
#include "worksheet/worksheettype.h"
#include "worksheettestmain.h"

#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

class PrintingTest : public QObject {
    Q_OBJECT

private:
    QTemporaryDir mFolder;

private slots:
    void theFirstLineIsAtTheTopOfTheFirstPage() {
        const QString pdftotext = QStandardPaths::findExecutable(QStringLiteral("pdftotext"));
        if (pdftotext.isEmpty())
            QSKIP("pdftotext (poppler-utils) is not installed; scripts/setup installs it");
        platform::DocumentController controller(worksheetDocumentType(),
                                                [] { return std::make_unique<MyDocument>(); });
        auto* worksheet = static_cast<MyDocument*>(controller.newDocument());
        QString text;
        for (int line = 1; line <= 80; ++line)
            text += QStringLiteral("Line%1 = %1 =\n%1\n").arg(line);
        editorOf(worksheet)->setPlainText(text);

        const QString pdf = mFolder.filePath(QStringLiteral("sheet.pdf"));
        QString error;
        QVERIFY2(writeWorksheetPdf(*worksheet->worksheet()->text(), pdf, worksheet->displayName(),
                                   &error),
                 qPrintable(error));

        // Word boxes, in points from the top of each page.
        const QString boxes = mFolder.filePath(QStringLiteral("boxes.html"));
        QCOMPARE(QProcess::execute(pdftotext, {"-bbox", pdf, boxes}), 0);
        QFile file(boxes);
        QVERIFY(file.open(QIODevice::ReadOnly));
        const QString html = QString::fromUtf8(file.readAll());
        const QRegularExpressionMatch page =
            QRegularExpression(QStringLiteral("<page width=\"[0-9.]+\" height=\"([0-9.]+)\""))
                .match(html);
        QVERIFY(page.hasMatch());
        const QRegularExpressionMatch firstWord =
            QRegularExpression(QStringLiteral("<word xMin=\"[0-9.]+\" yMin=\"([0-9.]+)\"[^>]*>"
                                              "([^<]*)</word>"))
                .match(html);
        QVERIFY(firstWord.hasMatch());
        QCOMPARE(firstWord.captured(2), QStringLiteral("Line1"));
        // Below the margins, far above a centred start.
        QVERIFY2(firstWord.captured(1).toDouble() < 0.15 * page.captured(1).toDouble(),
                 qPrintable(firstWord.captured(1)));
        QVERIFY2(html.count(QStringLiteral("<page ")) >= 2, "80 answered lines fill two pages");
    }

    void saysWhyAPdfCannotBeWritten() {
        platform::DocumentController controller(worksheetDocumentType(),
                                                [] { return std::make_unique<MyDocument>(); });
        auto* worksheet = static_cast<MyDocument*>(controller.newDocument());
        const QString pdf = mFolder.filePath(QStringLiteral("missing/folder/sheet.pdf"));
        QString error;
        QVERIFY(!writeWorksheetPdf(*worksheet->worksheet()->text(), pdf, worksheet->displayName(),
                                   &error));
        QVERIFY2(error.contains(QStringLiteral("sheet.pdf")), qPrintable(error));
        QVERIFY(!QFile::exists(pdf));
    }
};

FIGURELLO_WORKSHEET_TEST_MAIN(PrintingTest)

#include "printing_test.moc"
