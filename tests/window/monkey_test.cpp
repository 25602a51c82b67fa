// SPDX-License-Identifier: GPL-3.0-or-later
// A worksheet window driven by random actions, as an impatient user would drive it: typing
// statements (slow, failing, recursive and state-changing ones among them), Return anywhere,
// Undo and Redo, the clipboard with every kind of content, clicks, Select All and Delete while a
// line waits, Recalculate and Stop Updating, Forget, the integer format, Zoom, Save, Revert and
// closing. After every step it checks what must hold whatever the user did (worksheetwatch.h).
//
// Seeded: the seeds of a run are fixed, and one seed replays alone, printing its actions:
//   FIGURELLO_MONKEY_SEED=17 build/bin/monkey_test randomActionsKeepTheWorksheetSound
// (offscreen, with -maxwarnings 0 so that Qt prints all of it).
// scripts/monkey SECONDS runs fresh seeds for as long as asked.

#include "monkeyactions.h"
#include "platform/documentcontroller.h"
#include "toollink/toollink.h"
#include "window/forgetsymboldialog.h"
#include "window/mydocument.h"
#include "window/symbolspanel.h"
#include "window/worksheeteditor.h"
#include "window/worksheetwindow.h"
#include "windowtesting.h"
#include "worksheet/answerformats.h"
#include "worksheet/worksheettype.h"
#include "worksheettestmain.h"
#include "worksheetwatch.h"

#include <QAbstractButton>
#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QDateTime>
#include <QElapsedTimer>
#include <QFile>
#include <QKeyEvent>
#include <QMenu>
#include <QMessageBox>
#include <QTemporaryDir>
#include <QTest>
#include <QTextBlock>
#include <QTimer>
#include <QTreeView>

#include <random>

namespace {

// A run of the tests in CI: a minute in all across the normal and the sanitizer build, which
// is several times slower.
#if defined(__SANITIZE_ADDRESS__)
constexpr int kCiSeeds = 2;
#else
constexpr int kCiSeeds = 4;
#endif
constexpr int kActionsPerSeed = 120;
// A step that takes longer than this has frozen the window.
constexpr qint64 kFrozenMs = 20000;

} // namespace

// One seed's run: a worksheet from a file of its own, the actions, and the checks.
class Monkey : public QObject {
    Q_OBJECT

public:
    Monkey(quint32 seed, bool verbose) : mRandom(seed), mVerbose(verbose), mSeed(seed) {
        qputenv("FIGURELLO_MONKEY_STATE", QFile::encodeName(mFolder.path()));
        mPath = mFolder.filePath(QStringLiteral("monkey.figurello"));
        mController = new platform::DocumentController(worksheetDocumentType(), [] {
            auto worksheet = std::make_unique<MyDocument>();
            worksheet->worksheet()->tool()->setToolPath(QStringLiteral(MONKEY_TOOL_PATH));
            return worksheet;
        });
        // Dialogs are answered at random, as they come up, whoever opened them.
        connect(&mAnswerer, &QTimer::timeout, this, &Monkey::answerDialogs);
        mAnswerer.start(10);
    }
    ~Monkey() override {
        mAnswerer.stop();
        for (platform::Document* document : mController->documents())
            document->setDocumentEdited(false);
        delete mController;
    }

    // Runs the actions; empty when everything held, otherwise what broke and the actions so far.
    QString run(int actions) {
        if (!openWorksheet(true))
            return report(QStringLiteral("the worksheet could not be opened"));
        for (int step = 0; step < actions && mFailure.isEmpty(); ++step) {
            QElapsedTimer took;
            took.start();
            act();
            QTest::qWait(int(pick(0, 30)));
            if (took.elapsed() > kFrozenMs)
                fail(QStringLiteral("the window did not answer for %1 ms").arg(took.elapsed()));
            if (mFailure.isEmpty() && mDocument)
                mWatch.checkToolState();
            if (!mWatch.failure().isEmpty())
                fail(mWatch.failure());
            if (mVerbose && mDocument)
                mWatch.trace();
        }
        return mFailure.isEmpty() ? QString() : report(mFailure);
    }

private:
    QTemporaryDir mFolder;
    QString mPath;
    std::mt19937 mRandom;
    bool mVerbose;
    quint32 mSeed;
    platform::DocumentController* mController = nullptr;
    QPointer<MyDocument> mDocument;
    QTimer mAnswerer;
    QStringList mActions;
    QString mFailure;
    WorksheetWatch mWatch{mFolder.path(), mVerbose};
    // The text when the window was asked to close, and whether the answer was to save it.
    QString mTextAtClose;
    bool mAnsweredSave = false;

    quint32 pick(quint32 low, quint32 high) {
        return std::uniform_int_distribution<quint32>(low, high)(mRandom);
    }
    template <class T> const T& pickFrom(const QList<T>& list) {
        return list[int(pick(0, quint32(list.size() - 1)))];
    }

    void note(const QString& action) {
        mActions.append(QStringLiteral("#%1 %2").arg(mActions.size() + 1).arg(action));
        if (mVerbose)
            qInfo("%s", qPrintable(mActions.last()));
    }
    void fail(const QString& what) {
        if (mFailure.isEmpty())
            mFailure = what;
    }
    QString report(const QString& what) const {
        const int shown = 40;
        return QStringLiteral(
                   "seed %1: %2\nthe last actions:\n%3\nreplay: "
                   "QT_QPA_PLATFORM=offscreen FIGURELLO_MONKEY_SEED=%1 "
                   "build/bin/monkey_test randomActionsKeepTheWorksheetSound -maxwarnings 0")
            .arg(mSeed)
            .arg(what, mActions.mid(std::max(0, int(mActions.size()) - shown)).join('\n'));
    }

    WorksheetEditor* view() const { return editorOf(mDocument); }
    QAction* command(const QString& text) const {
        for (QAction* action : mDocument->window()->findChildren<QAction*>())
            if (action->text().remove(QLatin1Char('&')) == text)
                return action;
        return nullptr;
    }
    // As a user would: a command that is off does nothing.
    void trigger(const QString& text) {
        note(QStringLiteral("command %1").arg(text));
        if (QAction* action = command(text); action && action->isEnabled())
            action->trigger();
    }

    bool openWorksheet(bool anew) {
        if (anew) {
            platform::Document* fresh = mController->newDocument();
            fresh->setDocumentEdited(false);
            QString error;
            if (!mController->writeDocument(fresh, mPath, &error))
                return false;
            fresh->window()->close();
        }
        mDocument = static_cast<MyDocument*>(mController->openDocument(mPath));
        if (!mDocument)
            return false;
        follow();
        return true;
    }
    // Watches the worksheet now in front: the one opened, or the one a Revert put in its place.
    void follow() {
        mWatch.follow(mDocument);
        windowOf(mDocument)->symbolsPanel()->show();
    }
    bool followFront() {
        if (mDocument)
            return true;
        const QList<platform::Document*> open = mController->documents();
        if (open.isEmpty())
            return openWorksheet(false);
        mDocument = static_cast<MyDocument*>(open.last());
        follow();
        return true;
    }

    void act() {
        if (!followFront()) {
            fail(QStringLiteral("the worksheet could not be opened again"));
            return;
        }
        const quint32 roll = pick(0, 99);
        if (roll < 22)
            typeStatement();
        else if (roll < 38)
            pressReturn();
        else if (roll < 44)
            moveCaret();
        else if (roll < 48)
            clickSomewhere();
        else if (roll < 53)
            trigger(QStringLiteral("Undo"));
        else if (roll < 56)
            trigger(QStringLiteral("Redo"));
        else if (roll < 61)
            useClipboard();
        else if (roll < 64)
            trigger(QStringLiteral("Select All"));
        else if (roll < 67)
            deleteSelection();
        else if (roll < 70)
            trigger(QStringLiteral("Recalculate Worksheet"));
        else if (roll < 72)
            pressKey(Qt::Key_Escape, QStringLiteral("Escape"));
        else if (roll < 74)
            trigger(pick(0, 1) ? QStringLiteral("Forget Variable…")
                               : QStringLiteral("Forget Function…"));
        else if (roll < 76)
            forgetFromThePanel();
        else if (roll < 78)
            trigger(pick(0, 1) ? QStringLiteral("Hexadecimal") : QStringLiteral("Decimal"));
        else if (roll < 80)
            zoom();
        else if (roll < 82)
            trigger(QStringLiteral("Save"));
        else if (roll < 84)
            trigger(QStringLiteral("Revert to Saved"));
        else if (roll < 85)
            pick(0, 1) ? closeWindow() : quit();
        else if (roll < 88)
            auditUndo();
        else
            waitAWhile();
    }

    void typeStatement() {
        const QString statement = pickFrom(monkeyStatements());
        note(QStringLiteral("type «%1»").arg(statement));
        for (QChar c : statement) {
            if (c.unicode() < 0x80) {
                QTest::keyClick(view(), char(c.unicode()));
                continue;
            }
            // What an input method hands over: a text without a key of its own.
            QKeyEvent press(QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier, QString(c));
            QKeyEvent release(QEvent::KeyRelease, Qt::Key_unknown, Qt::NoModifier, QString(c));
            QCoreApplication::sendEvent(view(), &press);
            QCoreApplication::sendEvent(view(), &release);
        }
    }
    void pressKey(Qt::Key key, const QString& name) {
        note(QStringLiteral("key %1").arg(name));
        QTest::keyClick(view(), key);
    }
    void pressReturn() {
        // A Return that starts a calculation calculates the line it is on.
        const bool waiting = mDocument->worksheet()->isCalculating();
        const QTextCursor on(view()->textCursor().block());
        const int blocks = view()->document()->blockCount();
        const QPointer<MyDocument> worksheet = mDocument;
        if (!waiting)
            mWatch.awaitAnswerUnder(on);
        pressKey(Qt::Key_Return, QStringLiteral("Return"));
        if (worksheet && !mDocument->worksheet()->isCalculating() &&
            view()->document()->blockCount() == blocks)
            mWatch.awaitAnswerUnder(QTextCursor());
    }
    void moveCaret() {
        static const QList<Qt::Key> keys = {Qt::Key_Up,  Qt::Key_Down, Qt::Key_Home,
                                            Qt::Key_End, Qt::Key_Left, Qt::Key_Right};
        if (pick(0, 2) == 0) {
            QTextCursor cursor = view()->textCursor();
            cursor.setPosition(int(pick(0, quint32(view()->document()->characterCount() - 1))));
            note(QStringLiteral("caret to %1").arg(cursor.position()));
            view()->setTextCursor(cursor);
            return;
        }
        const Qt::Key key = pickFrom(keys);
        pressKey(key, QKeySequence(key).toString());
    }
    void clickSomewhere() {
        const QPoint at(int(pick(0, quint32(view()->viewport()->width() - 1))),
                        int(pick(0, quint32(view()->viewport()->height() - 1))));
        note(QStringLiteral("click at %1,%2").arg(at.x()).arg(at.y()));
        QTest::mouseClick(view()->viewport(), Qt::LeftButton, {}, at);
    }
    void deleteSelection() {
        pressKey(pick(0, 1) ? Qt::Key_Delete : Qt::Key_Backspace, QStringLiteral("Delete"));
    }
    void useClipboard() {
        switch (pick(0, 4)) {
        case 0: {
            const MonkeyClipboard content = pickFrom(monkeyClipboards());
            note(QStringLiteral("copy elsewhere: %1").arg(content.name));
            QGuiApplication::clipboard()->setMimeData(content.make());
            break;
        }
        case 1:
            trigger(QStringLiteral("Cut"));
            break;
        case 2:
            trigger(QStringLiteral("Copy"));
            break;
        case 3:
            trigger(QStringLiteral("Paste Without Commas and $"));
            break;
        default:
            trigger(QStringLiteral("Paste"));
            break;
        }
    }
    void forgetFromThePanel() {
        QTreeView* tree = windowOf(mDocument)->symbolsPanel()->tree();
        const QModelIndex group = tree->model()->index(int(pick(0, 1)), 0);
        const int rows = tree->model()->rowCount(group);
        if (rows == 0)
            return;
        const QModelIndex row = tree->model()->index(int(pick(0, quint32(rows - 1))), 0, group);
        note(QStringLiteral("panel menu on %1").arg(row.data().toString()));
        // The menu is answered like a dialog, by the answerer.
        emit tree->customContextMenuRequested(tree->visualRect(row).center());
    }
    void zoom() {
        auto* window = static_cast<platform::DocumentWindow*>(mDocument->window());
        switch (pick(0, 2)) {
        case 0:
            note(QStringLiteral("zoom in"));
            window->zoomIn();
            break;
        case 1:
            note(QStringLiteral("zoom out"));
            window->zoomOut();
            break;
        default:
            note(QStringLiteral("actual size"));
            window->resetZoom();
            break;
        }
    }
    void closeWindow() {
        note(QStringLiteral("close the window%1").arg(inFlight()));
        mTextAtClose = view()->toPlainText();
        mAnsweredSave = false;
        mDocument->window()->close();
        if (!mDocument && mAnsweredSave)
            mWatch.checkSaved(mPath, mTextAtClose);
    }
    // As Quit does, without ending the application.
    void quit() {
        note(QStringLiteral("quit%1").arg(inFlight()));
        mTextAtClose = view()->toPlainText();
        mAnsweredSave = false;
        mController->closeAllDocuments();
        if (!mDocument && mAnsweredSave)
            mWatch.checkSaved(mPath, mTextAtClose);
    }
    QString inFlight() const {
        return mDocument->worksheet()->isCalculating() ? QStringLiteral(" while a line waits")
                                                       : QString();
    }
    void auditUndo() {
        if (mDocument->worksheet()->isCalculating() || view()->isReadOnly() ||
            view()->document()->isRedoAvailable())
            return;
        note(QStringLiteral("undo all, redo all"));
        mWatch.auditUndo();
    }
    void waitAWhile() {
        const int ms = int(pick(50, 400));
        note(QStringLiteral("wait %1 ms").arg(ms));
        QTest::qWait(ms);
    }

    // Questions and menus get an answer picked at random, as an impatient user gives them.
    void answerDialogs() {
        if (auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget())) {
            const QList<QAction*> actions = menu->actions();
            QAction* chosen = actions.isEmpty() ? nullptr : pickFrom(actions);
            note(QStringLiteral("menu: %1").arg(chosen ? chosen->text() : QStringLiteral("none")));
            menu->close();
            if (chosen)
                chosen->trigger();
            return;
        }
        QWidget* modal = QApplication::activeModalWidget();
        if (auto* box = qobject_cast<QMessageBox*>(modal)) {
            QAbstractButton* button = pickFrom(box->buttons());
            note(QStringLiteral("answer “%1”: %2").arg(box->text(), button->text()));
            mAnsweredSave = box->standardButton(button) == QMessageBox::Save;
            // An answer that came in while the question was up is part of the text saved.
            if (mAnsweredSave && mDocument)
                mTextAtClose = view()->toPlainText();
            button->click();
        } else if (auto* forget = qobject_cast<ForgetSymbolDialog*>(modal)) {
            const int names = forget->popup()->count();
            if (names > 0 && pick(0, 2) > 0) {
                forget->popup()->setCurrentIndex(int(pick(0, quint32(names - 1))));
                note(QStringLiteral("forget %1").arg(forget->chosenName()));
                emit forget->forgetChosen();
            } else {
                note(QStringLiteral("forget nothing"));
                forget->reject();
            }
        } else if (auto* dialog = qobject_cast<QDialog*>(modal)) {
            note(QStringLiteral("dismiss %1").arg(dialog->windowTitle()));
            dialog->reject();
        }
    }
};

class MonkeyTest : public QObject {
    Q_OBJECT

private slots:
    void randomActionsKeepTheWorksheetSound_data() {
        QTest::addColumn<quint32>("seed");
        if (qEnvironmentVariableIsSet("FIGURELLO_MONKEY_SEED")) {
            const auto seed = quint32(qEnvironmentVariableIntValue("FIGURELLO_MONKEY_SEED"));
            QTest::addRow("seed %u", seed) << seed;
            return;
        }
        for (quint32 seed = 1; seed <= kCiSeeds; ++seed)
            QTest::addRow("seed %u", seed) << seed;
    }
    void randomActionsKeepTheWorksheetSound() {
        QFETCH(quint32, seed);
        const bool alone = qEnvironmentVariableIsSet("FIGURELLO_MONKEY_SEED");
        const int actions = qEnvironmentVariableIsSet("FIGURELLO_MONKEY_ACTIONS")
                                ? qEnvironmentVariableIntValue("FIGURELLO_MONKEY_ACTIONS")
                                : kActionsPerSeed;
        Monkey monkey(seed, alone);
        const QString failure = monkey.run(actions);
        // In full before the verdict, which Qt shortens.
        if (!failure.isEmpty())
            qWarning().noquote() << failure;
        QVERIFY2(failure.isEmpty(), qPrintable(failure.section('\n', 0, 0)));
    }

    // scripts/monkey: fresh seeds until the time given is up.
    void randomActionsForAWhile() {
        const int seconds = qEnvironmentVariableIntValue("FIGURELLO_MONKEY_SECONDS");
        if (seconds <= 0)
            QSKIP("FIGURELLO_MONKEY_SECONDS is not set");
        QElapsedTimer running;
        running.start();
        auto seed = quint32(QDateTime::currentMSecsSinceEpoch());
        int seeds = 0;
        while (running.elapsed() < seconds * 1000LL) {
            // Printed first, so that a crash still names its seed.
            qInfo("seed %u", ++seed);
            Monkey monkey(seed, false);
            const QString failure = monkey.run(kActionsPerSeed);
            if (!failure.isEmpty())
                qWarning().noquote() << failure;
            QVERIFY2(failure.isEmpty(), qPrintable(failure.section('\n', 0, 0)));
            ++seeds;
        }
        qInfo("%d seeds of %d actions ran clean", seeds, kActionsPerSeed);
    }
};

FIGURELLO_WORKSHEET_TEST_MAIN(MonkeyTest)

#include "monkey_test.moc"
