// Figurello: a calculator worksheet. Opens the worksheets named on the command line, or a new
// untitled one.

#include "app/appcontroller.h"
#include "document/mydocument.h"
#include "platform/documentcontroller.h"

#include <QApplication>
#include <QCommandLineParser>

#include <memory>

int main(int argc, char** argv) {
    QApplication application(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Figurello"));
    QApplication::setOrganizationName(QStringLiteral("Figurello"));
    QApplication::setApplicationVersion(QStringLiteral(FIGURELLO_VERSION));
    QGuiApplication::setDesktopFileName(QStringLiteral("figurello"));

    QCommandLineParser options;
    options.setApplicationDescription(QApplication::translate("main", "A calculator worksheet."));
    options.addHelpOption();
    options.addVersionOption();
    options.addPositionalArgument(QStringLiteral("files"),
                                  QApplication::translate("main", "Worksheets to open."),
                                  QStringLiteral("[files…]"));
    options.process(application);

    // The settings must exist before the first document.
    AppController controller;
    platform::DocumentController documents([] { return std::make_unique<MyDocument>(); });

    for (const QString& path : options.positionalArguments())
        documents.openDocument(path);
    if (documents.documents().isEmpty())
        documents.newDocument();

    QApplication::setQuitOnLastWindowClosed(true);
    return application.exec();
}
