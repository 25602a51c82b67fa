#include "app/calccommand.h"

#include "document/mydocument.h"
#include "document/worksheeteditor.h"
#include "platform/documentcontroller.h"

#include <QAction>
#include <QCommandLineParser>
#include <QCoreApplication>
#include <QEventLoop>
#include <QFile>
#include <QMainWindow>
#include <QTextBlock>
#include <QTextCursor>
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
        *error = QStringLiteral("cannot read %1: %2").arg(path, file.errorString());
        return QByteArray();
    }
    return file.readAll();
}

// Appends the line at the end of the worksheet and presses Return after it; true when it got
// a value or a definition.
bool calculateLine(MyDocument& document, const QString& line) {
    WorksheetEditor* view = document.textView;
    QTextCursor cursor = view->textCursor();
    cursor.movePosition(QTextCursor::End);
    if (!cursor.block().text().isEmpty())
        cursor.insertBlock();
    cursor.insertText(line);
    view->setTextCursor(cursor);

    bool succeeded = false;
    QEventLoop answered;
    QObject::connect(&document, &MyDocument::calculationFinished, &answered, [&](bool ok) {
        succeeded = ok;
        answered.quit();
    });
    if (!document.insertNewline())
        return false;
    if (document.isCalculating())
        answered.exec();
    return succeeded;
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
    options.addOptions({hex, open, save, recalculate});
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
    if (options.positionalArguments().size() > 1)
        return fail(QStringLiteral("at most one INPUT"));
    const bool recalculating = options.isSet(recalculate);
    if (recalculating && (options.isSet(open) || !options.positionalArguments().isEmpty()))
        return fail(QStringLiteral("--recalculate takes neither --open nor INPUT"));

    QString error;
    const QByteArray input =
        recalculating ? QByteArray() : readInput(options.positionalArguments().value(0), &error);
    if (!error.isEmpty())
        return fail(error);

    platform::DocumentController documents([] { return std::make_unique<MyDocument>(); });
    MyDocument* document = nullptr;
    if (options.isSet(open) || recalculating) {
        std::unique_ptr<platform::Document> opened =
            documents.readDocument(options.value(recalculating ? recalculate : open), &error);
        if (!opened)
            return fail(error);
        document = static_cast<MyDocument*>(opened.release());
        document->setParent(&documents);
        document->makeWindowControllers();
        if (!document->readNote().isEmpty())
            warn(document->readNote());
    } else {
        document = static_cast<MyDocument*>(documents.newDocument());
        // Nobody sees it: a window that is not shown is never painted.
        document->window()->hide();
    }
    if (options.isSet(hex))
        for (QAction* action : document->window()->findChildren<QAction*>())
            if (action->data().toInt() == MyDocument::kHexadecimalItemTag)
                action->trigger();

    bool allCalculated = true;
    if (recalculating) {
        QEventLoop recalculated;
        QObject::connect(document, &MyDocument::recalculationFinished, &recalculated,
                         [&](int, bool allSucceeded) {
                             allCalculated = allSucceeded;
                             recalculated.quit();
                         });
        document->recalculateWorksheet();
        if (document->isCalculating())
            recalculated.exec();
    }
    for (const QString& line : QString::fromUtf8(input).split(QLatin1Char('\n'))) {
        const QString statement = QString(line).remove(QLatin1Char('\r'));
        if (statement.trimmed().isEmpty())
            continue;
        allCalculated = calculateLine(*document, statement) && allCalculated;
    }

    std::fputs(qUtf8Printable(printedText(*document->textView->document())), stdout);
    if (options.isSet(save) &&
        !platform::DocumentController::writeDocument(document, options.value(save), &error))
        return fail(error);
    return allCalculated ? kAllCalculated : kSomeLineFailed;
}
