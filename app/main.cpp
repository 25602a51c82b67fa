// Figurello: a calculator worksheet. Opens the worksheets named on the command line, or a new
// untitled one.

#include "app/appcontroller.h"
#include "app/calccommand.h"
#include "document/mydocument.h"
#include "platform/closeddocumentarchive.h"
#include "platform/documentcontroller.h"
#include "platform/documentrecovery.h"
#include "platform/userfolders.h"
#include "translations/installtranslations.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QIcon>

#include <memory>

namespace {

void nameApplication() {
    QCoreApplication::setApplicationName(QStringLiteral("Figurello"));
    QCoreApplication::setOrganizationName(QStringLiteral("Figurello"));
    QCoreApplication::setApplicationVersion(QStringLiteral(FIGURELLO_VERSION));
}

// Calculating in the terminal needs no display and no widgets: only fonts, for the text.
// Setting up the windowing layer it does not use may warn about a desktop session that is not
// there; that says nothing about the calculation and stays off the terminal.
int runInTerminal(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    static QtMessageHandler standard = nullptr;
    standard = qInstallMessageHandler(
        [](QtMsgType type, const QMessageLogContext& context, const QString& message) {
            if (type == QtCriticalMsg || type == QtFatalMsg)
                standard(type, context, message);
        });
    QGuiApplication application(argc, argv);
    qInstallMessageHandler(standard);
    nameApplication();
    installTranslations();
    AppController controller;
    return runCalcCommand(QCoreApplication::arguments());
}

} // namespace

int main(int argc, char** argv) {
    if (isCalcCommand(argc, argv))
        return runInTerminal(argc, argv);
    QApplication application(argc, argv);
    nameApplication();
    installTranslations();
    // Ties the windows to the installed desktop entry and its icon.
    QGuiApplication::setDesktopFileName(QStringLiteral("org.figurello.Figurello"));
    QApplication::setWindowIcon(QIcon::fromTheme(QStringLiteral("figurello"),
                                                 QIcon(QStringLiteral(":/icons/figurello.svg"))));

    QCommandLineParser options;
    options.setApplicationDescription(QApplication::translate(
        "main", "A calculator worksheet.\n\n"
                "figurello calc [--hex] [--open WORKSHEET | --recalculate WORKSHEET] [--save "
                "WORKSHEET] [INPUT]\n"
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
    const platform::DocumentType& worksheets = controller.documentType();
    platform::DocumentController documents(worksheets,
                                           [] { return std::make_unique<MyDocument>(); });
    // Untitled worksheets close without a question; they are kept here to be reopened.
    documents.keepClosedUntitledDocumentsIn(std::make_unique<platform::ClosedDocumentArchive>(
        platform::userDataFolder(), worksheets.suffix));
    // Unsaved work survives a crash or a kill; what an earlier run left behind is offered back.
    documents.keepRecoveryFilesIn(std::make_unique<platform::DocumentRecovery>(
        platform::userStateFolder() + QStringLiteral("/recovery"), worksheets));
    documents.offerRecovery();

    for (const QString& path : options.positionalArguments())
        documents.openDocument(path);
    if (documents.documents().isEmpty() || options.isSet(newWindow))
        documents.newDocument();

    QApplication::setQuitOnLastWindowClosed(true);
    return application.exec();
}
