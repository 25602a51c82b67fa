// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/calccommand.h"

#include "platform/filetypes.h"
#include "window/worksheetprinting.h"
#include "worksheet/calcsession.h"
#include "worksheet/chartdescription.h"
#include "worksheet/worksheet.h"
#include "worksheet/worksheettype.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>
#include <QLoggingCategory>
#include <QTextDocument>

#include <cstdio>
#include <cstring>

namespace {

constexpr int kAllCalculated = 0;
constexpr int kSomeLineFailed = 1;
constexpr int kUsageOrFileError = 2;

void warn(const QString& message) {
    std::fprintf(stderr, "figurello calc: %s\n", qUtf8Printable(message));
}

int fail(const QString& message) {
    warn(message);
    return kUsageOrFileError;
}

QByteArray readInput(const QString& path, QString* error) {
    QFile file;
    const bool opened = path.isEmpty() || path == QLatin1String("-")
                            ? file.open(stdin, QIODevice::ReadOnly)
                            : (file.setFileName(path), file.open(QIODevice::ReadOnly));
    if (!opened) {
        *error =
            QCoreApplication::translate("calc", "cannot read %1: %2").arg(path, file.errorString());
        return QByteArray();
    }
    return file.readAll();
}

} // namespace

bool isCalcCommand(int argc, char** argv) { return argc > 1 && std::strcmp(argv[1], "calc") == 0; }

int runCalcCommand(const QStringList& arguments, const WorksheetOptions& worksheetOptions) {
    QCommandLineParser options;
    options.setApplicationDescription(QCoreApplication::translate(
        "calc", "Calculates the lines of INPUT (standard input when absent or -) in a "
                "worksheet, without a window, and prints the worksheet."));
    options.addHelpOption();
    const QCommandLineOption hex(
        QStringLiteral("hex"),
        QCoreApplication::translate("calc", "Show integers in hexadecimal."));
    const QCommandLineOption open(QStringLiteral("open"),
                                  QCoreApplication::translate("calc", "Start from this worksheet."),
                                  QStringLiteral("worksheet"));
    const QCommandLineOption save(QStringLiteral("save"),
                                  QCoreApplication::translate("calc", "Save the worksheet here."),
                                  QStringLiteral("worksheet"));
    const QCommandLineOption recalculate(
        QStringLiteral("recalculate"),
        QCoreApplication::translate("calc", "Calculate every calculated line of this worksheet "
                                            "again, from the top, instead of reading INPUT."),
        QStringLiteral("worksheet"));
    const QCommandLineOption verbose(
        QStringLiteral("verbose"),
        QCoreApplication::translate("calc", "Also print the diagnostic lines of the worksheet "
                                            "and its calculation tool on standard error."));
    const QCommandLineOption pdf(
        QStringLiteral("pdf"),
        QCoreApplication::translate("calc", "Also write the calculated worksheet, charts "
                                            "included, as a PDF file here."),
        QStringLiteral("file"));
    options.addOptions({hex, open, save, pdf, recalculate, verbose});
    options.addPositionalArgument(QStringLiteral("input"),
                                  QCoreApplication::translate("calc", "Lines to calculate."),
                                  QStringLiteral("[INPUT]"));
    QStringList withoutCommand = arguments;
    withoutCommand.removeAt(1);
    if (!options.parse(withoutCommand))
        return fail(options.errorText());
    if (options.isSet(QStringLiteral("help"))) {
        std::fputs(qUtf8Printable(options.helpText()), stdout);
        return kAllCalculated;
    }
    if (options.isSet(verbose))
        QLoggingCategory::setFilterRules(QStringLiteral("figurello.diagnostics=true"));
    if (options.positionalArguments().size() > 1)
        return fail(QCoreApplication::translate("calc", "at most one INPUT"));
    const bool recalculating = options.isSet(recalculate);
    if (recalculating && (options.isSet(open) || !options.positionalArguments().isEmpty()))
        return fail(
            QCoreApplication::translate("calc", "--recalculate takes neither --open nor INPUT"));

    QString error;
    const QByteArray input =
        recalculating ? QByteArray() : readInput(options.positionalArguments().value(0), &error);
    if (!error.isEmpty())
        return fail(error);

    Worksheet worksheet(worksheetOptions);
    // Nobody can undo here, and a history of every line would only cost time and memory.
    worksheet.text()->setUndoRedoEnabled(false);
    if (options.isSet(open) || recalculating) {
        const QString path = options.value(recalculating ? recalculate : open);
        QByteArray contents;
        QString type;
        if (!platform::readDocumentFile(worksheetDocumentType(), path, &contents, &type, &error))
            return fail(error);
        // A file that cannot be read is always told why.
        if (!worksheet.read(contents, type, QFileInfo(path).fileName(), &error))
            return fail(error);
        if (!worksheet.readNote().isEmpty())
            warn(worksheet.readNote());
    } else {
        worksheet.startFromTemplateUnlessRead();
    }
    worksheet.text()->setModified(false);
    worksheet.setIntegersAsHex(options.isSet(hex));
    worksheet.startTool();

    QStringList statements;
    for (const QString& line : QString::fromUtf8(input).split(QLatin1Char('\n'))) {
        const QString statement = QString(line).remove(QLatin1Char('\r'));
        if (!statement.trimmed().isEmpty())
            statements.append(statement);
    }
    // The worksheet is recalculated first, then its new lines are calculated at its end; the
    // application's loop runs until the last answer is in.
    bool allCalculated = true;
    const auto calculateInput = [&] {
        if (statements.isEmpty()) {
            QCoreApplication::exit();
            return;
        }
        Calculation* calculation = worksheet.calculateAtEnd(statements);
        QObject::connect(calculation, &Calculation::finished, &worksheet, [&, calculation] {
            allCalculated = calculation->allSucceeded() && allCalculated;
            QCoreApplication::exit();
        });
    };
    if (recalculating) {
        QObject::connect(&worksheet, &Worksheet::recalculationFinished, &worksheet,
                         [&](int, bool allSucceeded) {
                             allCalculated = allSucceeded;
                             calculateInput();
                         });
        QMetaObject::invokeMethod(&worksheet, &Worksheet::recalculate, Qt::QueuedConnection);
    } else {
        QMetaObject::invokeMethod(&worksheet, calculateInput, Qt::QueuedConnection);
    }
    QCoreApplication::exec();

    // The worksheet as it reads, charts as their descriptions; unlike toPlainText(), which turns
    // them into plain spaces, non-breaking spaces stay as they are.
    const QTextDocument& text = *worksheet.text();
    std::fputs(qUtf8Printable(describedText(text, 0, text.characterCount() - 1,
                                            worksheetOptions.commaIsDecimal)),
               stdout);
    if (options.isSet(pdf)) {
        const QString path = options.value(pdf);
        if (!writeWorksheetPdf(*worksheet.text(), path, QFileInfo(path).completeBaseName(), &error))
            return fail(error);
    }
    if (options.isSet(save)) {
        QString reason;
        const QByteArray data = worksheet.fileData(&reason);
        if (!platform::writeDocumentFile(options.value(save), data, reason, &error))
            return fail(error);
    }
    return allCalculated ? kAllCalculated : kSomeLineFailed;
}
