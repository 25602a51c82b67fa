// SPDX-License-Identifier: GPL-3.0-or-later
// A worksheet application that types a line in each of its worksheets, waits until every one has
// reached its recovery file, says so on standard output, and then runs until it is killed.
// Usage: recovery_child RECOVERY_FOLDER [TEXT…]: one worksheet for each TEXT, or one that
// calculated "width = 12".

#include "engine/calcengine.h"
#include "platform/documentcontroller.h"
#include "platform/documentrecovery.h"
#include "window/mydocument.h"
#include "window/worksheeteditor.h"
#include "windowtesting.h"
#include "worksheet/worksheettexts.h"
#include "worksheet/worksheettype.h"

#include <QApplication>
#include <QSet>
#include <QStringList>

#include <cstdio>

int main(int argc, char** argv) {
    QApplication application(argc, argv);
    if (argc < 2)
        return 2;
    addWorksheetTexts();
    platform::DocumentController documents(worksheetDocumentType(),
                                           [] { return std::make_unique<MyDocument>(); });
    documents.keepRecoveryFilesIn(std::make_unique<platform::DocumentRecovery>(
        QString::fromLocal8Bit(argv[1]), worksheetDocumentType(), 50));
    QStringList texts;
    for (int i = 2; i < argc; ++i)
        texts.append(QString::fromLocal8Bit(argv[i]));
    const bool calculated = texts.isEmpty();
    if (calculated)
        texts.append(QStringLiteral("width = 12 =\n12\n"));
    QSet<platform::Document*> unwritten;
    for (const QString& text : std::as_const(texts)) {
        auto* worksheet = static_cast<MyDocument*>(documents.newDocument());
        if (calculated) {
            double value = 0;
            std::size_t stop = 0;
            EvaluateStatement("width = 12", *worksheet->worksheet()->state(), value, stop);
        }
        editorOf(worksheet)->insertPlainText(text);
        unwritten.insert(worksheet);
    }
    QObject::connect(documents.documentRecovery(), &platform::DocumentRecovery::documentWritten,
                     [&unwritten](platform::Document* written) {
                         if (unwritten.remove(written) && unwritten.isEmpty()) {
                             std::puts("written");
                             std::fflush(stdout);
                         }
                     });
    return application.exec();
}
