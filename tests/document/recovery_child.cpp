// A worksheet application that types a line, waits until the line reaches its recovery file,
// says so on standard output, and then runs until it is killed.
// Usage: recovery_child RECOVERY_FOLDER

#include "document/mydocument.h"
#include "document/worksheeteditor.h"
#include "document/worksheetsettings.h"
#include "document/worksheettype.h"
#include "engine/calcengine.h"
#include "platform/documentcontroller.h"
#include "platform/documentrecovery.h"

#include <QApplication>

#include <cstdio>

int main(int argc, char** argv) {
    QApplication application(argc, argv);
    if (argc != 2)
        return 2;
    WorksheetSettings settings;
    platform::DocumentController documents(worksheetDocumentType(),
                                           [] { return std::make_unique<MyDocument>(); });
    documents.keepRecoveryFilesIn(std::make_unique<platform::DocumentRecovery>(
        QString::fromLocal8Bit(argv[1]), worksheetDocumentType(), 50));
    auto* worksheet = static_cast<MyDocument*>(documents.newDocument());
    QObject::connect(documents.documentRecovery(), &platform::DocumentRecovery::documentWritten,
                     [] {
                         std::puts("written");
                         std::fflush(stdout);
                     });
    double value = 0;
    std::size_t stop = 0;
    EvaluateStatement("width = 12", *worksheet->calcState(), value, stop);
    worksheet->textView()->insertPlainText(QStringLiteral("width = 12 =\n12\n"));
    return application.exec();
}
