// SPDX-License-Identifier: GPL-3.0-or-later
// Figurello: a calculator worksheet. Opens the worksheets named on the command line, or a new
// untitled one.

#include "app/appcontroller.h"
#include "app/calccommand.h"
#include "platform/afterfirstpaint.h"
#include "platform/closeddocumentarchive.h"
#include "platform/documentcontroller.h"
#include "platform/documentrecovery.h"
#include "platform/firstpaintprobe.h"
#include "platform/singleinstance.h"
#include "platform/userfolders.h"
#include "translations/installtranslations.h"
#include "window/mydocument.h"
#include "worksheet/worksheettexts.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QFileInfo>
#include <QIcon>
#include <QLoggingCategory>
#include <QMainWindow>

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
    // The terminal shows the worksheet; the diagnostic lines are for when they are asked for.
    QLoggingCategory::setFilterRules(QStringLiteral("figurello.diagnostics=false"));
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
    addWorksheetTexts();
    return runCalcCommand(QCoreApplication::arguments(),
                          WorksheetOptions::forLocale(QLocale::system()));
}

// Reads the command line before anything needs a display, so that --help and --version work
// without one. Exits for those, and for an option it does not know.
platform::LaunchRequest readLaunchRequest(const QCoreApplication& application) {
    QCommandLineParser options;
    options.setApplicationDescription(QCoreApplication::translate(
        "main", "A calculator worksheet.\n\n"
                "figurello calc [--hex] [--verbose] [--open WORKSHEET | --recalculate WORKSHEET] "
                "[--save WORKSHEET] [INPUT]\n"
                "  calculates INPUT's lines without a window and prints the worksheet;\n"
                "  see figurello calc --help."));
    options.addHelpOption();
    options.addVersionOption();
    // The desktop entry's "New Worksheet" action.
    const QCommandLineOption newWindow(
        QStringLiteral("new-window"), QCoreApplication::translate("main", "Open a new worksheet."));
    options.addOption(newWindow);
    options.addPositionalArgument(QStringLiteral("files"),
                                  QCoreApplication::translate("main", "Worksheets to open."),
                                  QCoreApplication::translate("main", "[files…]"));
    options.process(application);

    platform::LaunchRequest request;
    for (const QString& path : options.positionalArguments())
        request.paths.append(QFileInfo(path).absoluteFilePath());
    request.newWindow = options.isSet(newWindow);
    return request;
}

} // namespace

int main(int argc, char** argv) {
    if (isCalcCommand(argc, argv))
        return runInTerminal(argc, argv);
    platform::LaunchRequest request;
    {
        const QCoreApplication launcher(argc, argv);
        nameApplication();
        installTranslations();
        request = readLaunchRequest(launcher);
        // One instance per session: a running one opens what was asked for.
        if (platform::handOverToRunningInstance(request))
            return 0;
    }

    QApplication application(argc, argv);
    platform::FirstPaintProbe::installIfAsked();
    nameApplication();
    installTranslations();
    // Ties the windows to the installed desktop entry.
    QGuiApplication::setDesktopFileName(QStringLiteral("org.figurello.Figurello"));

    // The worksheet's words, like its number format, are in place before the first document.
    addWorksheetTexts();
    AppController controller;
    const platform::DocumentType& worksheets = controller.documentType();
    platform::DocumentController documents(worksheets,
                                           [&controller] { return controller.newDocument(); });
    // Untitled worksheets close without a question; they are kept here to be reopened.
    documents.keepClosedUntitledDocumentsIn(std::make_unique<platform::ClosedDocumentArchive>(
        platform::userDataFolder(), worksheets.suffix));
    // Unsaved work survives a crash or a kill; what an earlier run left behind is offered back.
    documents.keepRecoveryFilesIn(std::make_unique<platform::DocumentRecovery>(
        platform::userStateFolder() + QStringLiteral("/recovery"), worksheets));
    // Later launches are answered from here on, even while the recovery question is open.
    platform::InstanceServer instance;
    QObject::connect(&instance, &platform::InstanceServer::launchRequested, &documents,
                     [&documents](const platform::LaunchRequest& later) {
                         documents.openForLaunch(later.paths, later.newWindow);
                     });
    instance.listen();
    documents.offerRecovery();

    documents.openForLaunch(request.paths, request.newWindow);
    // Looking the icon up in the theme and rendering it for the window manager takes about as
    // long as showing the window; it follows the first paint.
    if (!documents.documents().isEmpty())
        platform::afterFirstPaint(documents.documents().last()->window(), &application, [] {
            QApplication::setWindowIcon(QIcon::fromTheme(
                QStringLiteral("figurello"), QIcon(QStringLiteral(":/icons/figurello.svg"))));
        });

    QApplication::setQuitOnLastWindowClosed(true);
    return application.exec();
}
