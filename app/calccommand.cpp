#include "app/calccommand.h"

#include "window/mydocument.h"
#include "worksheet/worksheettype.h"
#include "platform/documentcontroller.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QEventLoop>
#include <QFile>
#include <QLoggingCategory>
#include <QTextBlock>
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

// The worksheet as it reads. Unlike toPlainText(), which turns them into plain spaces, this
// keeps non-breaking spaces as they are; line breaks within a paragraph print as newlines.
QString printedText(const QTextDocument& worksheet) {
    QString text;
    for (QTextBlock line = worksheet.begin(); line.isValid(); line = line.next()) {
        if (line != worksheet.begin())
            text += u'\n';
        text += line.text();
    }
    return text.replace(QChar::LineSeparator, u'\n');
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

int runCalcCommand(const QStringList& arguments) {
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
    options.addOptions({hex, open, save, recalculate, verbose});
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

    platform::DocumentController documents(worksheetDocumentType(),
                                           [] { return std::make_unique<MyDocument>(); });
    std::unique_ptr<MyDocument> document;
    if (options.isSet(open) || recalculating) {
        std::unique_ptr<platform::Document> opened =
            documents.readDocument(options.value(recalculating ? recalculate : open), &error);
        if (!opened)
            return fail(error);
        document.reset(static_cast<MyDocument*>(opened.release()));
        if (!document->readNote().isEmpty())
            warn(document->readNote());
    } else {
        document = std::make_unique<MyDocument>();
    }
    // Nobody sees the worksheet: it has its text and its tool, and no window.
    document->makeTextWithoutWindow();
    document->setIntegersAsHex(options.isSet(hex));

    bool allCalculated = true;
    if (recalculating) {
        QEventLoop recalculated;
        QObject::connect(document.get(), &MyDocument::recalculationFinished, &recalculated,
                         [&](int, bool allSucceeded) {
                             allCalculated = allSucceeded;
                             recalculated.quit();
                         });
        document->recalculateWorksheet();
        if (document->isCalculating())
            recalculated.exec();
    }
    QStringList statements;
    for (const QString& line : QString::fromUtf8(input).split(QLatin1Char('\n'))) {
        const QString statement = QString(line).remove(QLatin1Char('\r'));
        if (!statement.trimmed().isEmpty())
            statements.append(statement);
    }
    if (!statements.isEmpty())
        allCalculated = document->calculateAtEnd(statements) && allCalculated;

    std::fputs(qUtf8Printable(printedText(*document->textDocument())), stdout);
    if (options.isSet(save) &&
        !documents.writeDocument(document.get(), options.value(save), &error))
        return fail(error);
    return allCalculated ? kAllCalculated : kSomeLineFailed;
}
