// SPDX-License-Identifier: GPL-3.0-or-later
// Makes the README's screenshots from the example worksheet: real worksheet windows, offscreen,
// every line calculated by the real CalcTool, each grabbed once its answers are in.
//
//   figurello_screenshots EXAMPLE FOLDER
//
// writes worksheet-light.png, worksheet-dark.png, function-reference.png, live-update.png and
// worksheet-german.png into FOLDER. scripts/screenshots builds it and writes docs/screenshots/.

#include "platform/documentcontroller.h"
#include "translations/installtranslations.h"
#include "window/functionreferencepanel.h"
#include "window/mydocument.h"
#include "window/symbolspanel.h"
#include "window/worksheeteditor.h"
#include "window/worksheetwindow.h"
#include "worksheet/answerformats.h"
#include "worksheet/calcsession.h"
#include "worksheet/resultformat.h"
#include "worksheet/worksheet.h"
#include "worksheet/worksheettexts.h"
#include "worksheet/worksheettype.h"

#include <QAction>
#include <QApplication>
#include <QFile>
#include <QImageWriter>
#include <QKeyEvent>
#include <QStyle>
#include <QTemporaryDir>
#include <QTextBlock>
#include <QTimer>

#include <cstdio>
#include <functional>
#include <memory>
#include <optional>

namespace {

// Wide enough for the worksheet beside a panel, tall enough for the whole example with its chart.
constexpr QSize kWindowSize(940, 780);
constexpr int kSymbolsWidth = 330;
// The highlighter and the panels catch up on queued timers after the last answer.
constexpr int kSettleMs = 200;
// Far beyond what the example takes even on a busy machine: a tool that never answers fails.
constexpr int kGiveUpMs = 60000;

// A laptop's screen, for what the windows size themselves by (offscreen's own is 800 × 600),
// and small enough that a picture of a window as wide as it still reads in the README.
constexpr char kScreen[] = R"({"screens": [{"name": "screen", "x": 0, "y": 0, "width": 1280,
    "height": 800, "logicalDpi": 96, "logicalBaseDpi": 96, "dpr": 1}]})";

// A dark scheme as a desktop hands it to Qt: light text on dark grey.
QPalette darkPalette() {
    QPalette dark;
    const QColor text(0xe8, 0xe8, 0xe8);
    const QColor dimmed(0x80, 0x80, 0x80);
    dark.setColor(QPalette::Window, QColor(0x2e, 0x2e, 0x2e));
    dark.setColor(QPalette::WindowText, text);
    dark.setColor(QPalette::Base, QColor(0x1e, 0x1e, 0x1e));
    dark.setColor(QPalette::AlternateBase, QColor(0x28, 0x28, 0x28));
    dark.setColor(QPalette::Text, text);
    dark.setColor(QPalette::Button, QColor(0x38, 0x38, 0x38));
    dark.setColor(QPalette::ButtonText, text);
    dark.setColor(QPalette::BrightText, Qt::white);
    dark.setColor(QPalette::Light, QColor(0x50, 0x50, 0x50));
    dark.setColor(QPalette::Midlight, QColor(0x44, 0x44, 0x44));
    dark.setColor(QPalette::Mid, QColor(0x30, 0x30, 0x30));
    dark.setColor(QPalette::Dark, QColor(0x20, 0x20, 0x20));
    dark.setColor(QPalette::Shadow, QColor(0x10, 0x10, 0x10));
    dark.setColor(QPalette::Highlight, QColor(0x35, 0x84, 0xe4));
    dark.setColor(QPalette::HighlightedText, Qt::white);
    dark.setColor(QPalette::ToolTipBase, QColor(0x38, 0x38, 0x38));
    dark.setColor(QPalette::ToolTipText, text);
    dark.setColor(QPalette::PlaceholderText, dimmed);
    dark.setColor(QPalette::Link, QColor(0x79, 0xc0, 0xff));
    for (QPalette::ColorRole role : {QPalette::WindowText, QPalette::Text, QPalette::ButtonText})
        dark.setColor(QPalette::Disabled, role, dimmed);
    return dark;
}

// The example's lines in the groups its blank lines separate.
QList<QStringList> exampleGroups(const QString& text) {
    QList<QStringList> groups(1);
    for (const QString& line : text.split(QLatin1Char('\n'))) {
        if (!line.trimmed().isEmpty())
            groups.last().append(line);
        else if (!groups.last().isEmpty())
            groups.append(QStringList());
    }
    if (groups.last().isEmpty())
        groups.removeLast();
    return groups;
}

// The screenshots, one step after another, each started when the one before it is done.
class Screenshots : public QObject {
public:
    Screenshots(const QString& example, const QString& folder)
        : mExample(example), mFolder(folder) {}

    void start() {
        QTimer::singleShot(kGiveUpMs, this, [this] { fail(QStringLiteral("no answers in time")); });
        const QLocale english(QLocale::English, QLocale::UnitedStates);
        const QLocale german(QLocale::German, QLocale::Germany);
        const QPalette light = QApplication::style()->standardPalette();
        auto symbols = [this](const std::function<void()>& then) {
            showPanel(mWindow->symbolsPanel());
            then();
        };
        // Each picture has a window of its own, from the example calculated afresh.
        mShots = {
            {"worksheet-light.png", english, light, symbols},
            {"worksheet-dark.png", english, darkPalette(), symbols},
            {"function-reference.png", english, light,
             [this](const std::function<void()>& then) {
                 showPanel(mWindow->functionReference());
                 then();
             }},
            {"live-update.png", english, light,
             [this](const std::function<void()>& then) {
                 showPanel(mWindow->symbolsPanel());
                 updateQuantity(then);
             }},
            {"worksheet-german.png", german, light, symbols},
        };
        nextShot();
    }

private:
    struct Shot {
        const char* name;
        QLocale locale;
        QPalette palette;
        // What the user does in the window once the example is calculated; then() when done.
        std::function<void(const std::function<void()>& then)> act;
    };

    void nextShot() {
        if (mShots.isEmpty()) {
            QCoreApplication::exit(mFailed ? 1 : 0);
            return;
        }
        const Shot shot = mShots.takeFirst();
        QApplication::setPalette(shot.palette);
        openWorksheet(shot.locale, [this, shot] {
            shot.act([this, shot] {
                afterSettling([this, shot] {
                    save(shot.name);
                    nextShot();
                });
            });
        });
    }

    // A new worksheet window in the locale's language and number format, the example calculated
    // in it, group by group, with a blank line between groups.
    void openWorksheet(const QLocale& locale, std::function<void()> then) {
        mDocuments.reset();
        // The windows' texts are translated as they are made, by the translators of the time.
        if (mLocale != locale) {
            mLocale = locale;
            QLocale::setDefault(locale);
            installTranslations(locale);
        }
        const WorksheetOptions options = WorksheetOptions::forLocale(locale);
        mDocuments = std::make_unique<platform::DocumentController>(
            worksheetDocumentType(), [options] { return std::make_unique<MyDocument>(options); });
        auto* document = static_cast<MyDocument*>(mDocuments->newDocument());
        mWindow = document->worksheetWindow();
        mWindow->resize(kWindowSize);
        calculateGroups(exampleGroups(mExample), options.commaIsDecimal, std::move(then));
    }

    void calculateGroups(QList<QStringList> groups, bool commaIsDecimal,
                         std::function<void()> then) {
        if (groups.isEmpty()) {
            afterSettling(std::move(then));
            return;
        }
        Worksheet* worksheet = worksheetOf();
        QStringList lines;
        for (const QString& line : groups.takeFirst())
            lines.append(localizeString(line, commaIsDecimal));
        Calculation* calculation = worksheet->calculateAtEnd(lines);
        connect(calculation, &Calculation::finished, this,
                [this, worksheet, groups, commaIsDecimal, then] {
                    if (!groups.isEmpty()) {
                        QTextCursor end(worksheet->text());
                        end.movePosition(QTextCursor::End);
                        worksheet->insertLine(end, QString(), normalFormat());
                    }
                    calculateGroups(groups, commaIsDecimal, then);
                });
    }

    // Edits the quantity the total depends on and presses Return on it, as the user would.
    void updateQuantity(std::function<void()> then) {
        Worksheet* worksheet = worksheetOf();
        WorksheetEditor* editor = mWindow->editor();
        const QString statement = QStringLiteral("qty = ");
        QTextBlock line = worksheet->text()->begin();
        while (line.isValid() && !line.text().startsWith(statement))
            line = line.next();
        if (!line.isValid()) {
            fail(QStringLiteral("the example has no line starting “%1”").arg(statement));
            return;
        }
        QTextCursor value(line);
        value.setPosition(line.position() + int(statement.size()));
        value.movePosition(QTextCursor::NextWord, QTextCursor::KeepAnchor);
        editor->setTextCursor(value);
        editor->insertPlainText(QStringLiteral("15 "));
        auto* finished = new QMetaObject::Connection;
        *finished =
            connect(worksheet, &Worksheet::recalculationFinished, this, [this, finished, then] {
                disconnect(*finished);
                delete finished;
                afterSettling(then);
            });
        // Just before the line's " =", where Return calculates it again.
        editor->moveCursor(QTextCursor::Left);
        QKeyEvent press(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier, QStringLiteral("\r"));
        QApplication::sendEvent(editor, &press);
    }

    Worksheet* worksheetOf() const {
        return static_cast<MyDocument*>(mDocuments->documents().last())->worksheet();
    }

    // One side panel, shown as its menu command shows it.
    void showPanel(QDockWidget* panel) {
        for (QDockWidget* other : {static_cast<QDockWidget*>(mWindow->symbolsPanel()),
                                   static_cast<QDockWidget*>(mWindow->functionReference())})
            if (other != panel && other->isVisible())
                other->toggleViewAction()->trigger();
        // Opening the reference may widen the window; each picture starts from the same size.
        mWindow->resize(kWindowSize);
        if (!panel->isVisible())
            panel->toggleViewAction()->trigger();
        // Dragged wide enough for the functions' definitions, as a user would.
        if (panel == mWindow->symbolsPanel())
            mWindow->resizeDocks({panel}, {kSymbolsWidth}, Qt::Horizontal);
        mWindow->editor()->setFocus();
    }

    void afterSettling(std::function<void()> then) {
        QTimer::singleShot(kSettleMs, this, std::move(then));
    }

    void save(const char* name) {
        const QString path = mFolder + QLatin1Char('/') + QLatin1String(name);
        QImageWriter writer(path, "png");
        // The smallest file Qt's writer makes.
        writer.setQuality(0);
        if (!writer.write(mWindow->grab().toImage().convertToFormat(QImage::Format_RGB32)))
            fail(QStringLiteral("cannot write %1: %2").arg(path, writer.errorString()));
    }

    void fail(const QString& why) {
        std::fprintf(stderr, "figurello_screenshots: %s\n", qPrintable(why));
        mFailed = true;
        QCoreApplication::exit(1);
    }

    QString mExample;
    QString mFolder;
    QList<Shot> mShots;
    std::optional<QLocale> mLocale;
    std::unique_ptr<platform::DocumentController> mDocuments;
    WorksheetWindow* mWindow = nullptr;
    bool mFailed = false;
};

} // namespace

int main(int argc, char** argv) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: figurello_screenshots EXAMPLE FOLDER\n");
        return 2;
    }
    // Nothing of the user's (a template for new worksheets, settings) goes into the pictures.
    QTemporaryDir home;
    for (const char* folder : {"XDG_CONFIG_HOME", "XDG_DATA_HOME", "XDG_STATE_HOME"})
        qputenv(folder, QFile::encodeName(home.filePath(QString::fromLatin1(folder))));
    const QString screen = home.filePath(QStringLiteral("screen.json"));
    QFile screenFile(screen);
    if (!screenFile.open(QIODevice::WriteOnly) || screenFile.write(kScreen) < 0)
        return 1;
    screenFile.close();
    // The same pictures on any desktop, or none.
    qputenv("QT_QPA_PLATFORM", "offscreen:configfile=" + QFile::encodeName(screen));

    QApplication application(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("Figurello"));
    QCoreApplication::setOrganizationName(QStringLiteral("Figurello"));
    QApplication::setFont(QFont(QStringLiteral("DejaVu Sans"), 10));
    // A caret that blinks would be in some pictures and not in others.
    QApplication::setCursorFlashTime(0);
    addWorksheetTexts();

    QFile example(QString::fromLocal8Bit(argv[1]));
    if (!example.open(QIODevice::ReadOnly)) {
        std::fprintf(stderr, "figurello_screenshots: cannot read %s\n", argv[1]);
        return 1;
    }
    Screenshots screenshots(QString::fromUtf8(example.readAll()), QString::fromLocal8Bit(argv[2]));
    QTimer::singleShot(0, &screenshots, &Screenshots::start);
    return QApplication::exec();
}
