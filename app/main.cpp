// Figurello: a calculator worksheet. Opens the worksheets named on the command line, or a new
// untitled one.

#include "app/appcontroller.h"
#include "app/calccommand.h"
#include "document/mydocument.h"
#include "platform/closeddocumentarchive.h"
#include "platform/documentcontroller.h"
#include "platform/documentrecovery.h"
#include "platform/userfolders.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QIcon>

#include <memory>

int main(int argc, char** argv) {
    const bool calc = isCalcCommand(argc, argv);
    // Calculating in the terminal needs no display.
    if (calc)
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Figurello"));
    QApplication::setOrganizationName(QStringLiteral("Figurello"));
    QApplication::setApplicationVersion(QStringLiteral(FIGURELLO_VERSION));
    // Ties the windows to the installed desktop entry and its icon.
    QGuiApplication::setDesktopFileName(QStringLiteral("org.figurello.Figurello"));
    QApplication::setWindowIcon(QIcon::fromTheme(QStringLiteral("figurello"),
                                                 QIcon(QStringLiteral(":/icons/figurello.svg"))));

    if (calc) {
        AppController controller;
        return runCalcCommand(QApplication::arguments());
    }

    QCommandLineParser options;
    options.setApplicationDescription(QApplication::translate(
        "main", "A calculator worksheet.\n\n"
                "figurello calc [--hex] [--open WORKSHEET | --recalculate WORKSHEET] [--save WORKSHEET] [INPUT]\n"
                "  calculates INPUT's lines without a window and prints the worksheet;\n"
                "  see figurello calc --help."));
    options.addHelpOption();
    options.addVersionOption();
    // The desktop entry's "New Worksheet" action. Every launch is a process of its own, so this
    // only matters when recovered worksheets would otherwise be the only windows.
    const QCommandLineOption newWindow(QStringLiteral("new-window"),
                                       QApplication::translate("main", "Open a new worksheet."));
    options.addOption(newWindow);
    options.addPositionalArgument(QStringLiteral("files"),
                                  QApplication::translate("main", "Worksheets to open."),
                                  QStringLiteral("[files…]"));
    options.process(application);

    // The settings must exist before the first document.
    AppController controller;
    platform::DocumentController documents([] { return std::make_unique<MyDocument>(); });
    // Untitled worksheets close without a question; they are kept here to be reopened.
    documents.keepClosedUntitledDocumentsIn(
        std::make_unique<platform::ClosedDocumentArchive>(platform::userDataFolder()));
    // Unsaved work survives a crash or a kill; what an earlier run left behind is offered back.
    documents.keepRecoveryFilesIn(std::make_unique<platform::DocumentRecovery>(
        platform::userStateFolder() + QStringLiteral("/recovery")));
    documents.offerRecovery();

    for (const QString& path : options.positionalArguments())
        documents.openDocument(path);
    if (documents.documents().isEmpty() || options.isSet(newWindow))
        documents.newDocument();

    QApplication::setQuitOnLastWindowClosed(true);
    return application.exec();
}
