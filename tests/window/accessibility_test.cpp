// SPDX-License-Identifier: GPL-3.0-or-later
// What a screen reader hears of a worksheet window, through Qt's accessibility events and
// interfaces, and that the panels can be reached and left from the keyboard.

#include "platform/documentcontroller.h"
#include "platform/recoverydialog.h"
#include "platform/shortcutsdialog.h"
#include "typing.h"
#include "window/forgetsymboldialog.h"
#include "window/functionreferencepanel.h"
#include "window/mydocument.h"
#include "window/symbolspanel.h"
#include "window/worksheeteditor.h"
#include "window/worksheetwindow.h"
#include "windowtesting.h"
#include "worksheet/worksheet.h"
#include "worksheet/worksheettype.h"
#include "worksheettestmain.h"

#include <QAbstractButton>
#include <QAccessible>
#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QTest>
#include <QTextBlock>
#include <QTextDocument>
#include <QTimer>
#include <QTreeView>
#include <private/qguiapplication_p.h>
#include <qpa/qplatformaccessibility.h>
#include <qpa/qplatformintegration.h>

namespace {

// What was said on the worksheet's text since the test began.
QStringList gSpoken;
QObject* gText = nullptr;

void hear(QAccessibleEvent* event) {
    if (event->object() != gText)
        return;
#if QT_VERSION >= QT_VERSION_CHECK(6, 8, 0)
    if (event->type() == QAccessible::Announcement)
        gSpoken.append(static_cast<QAccessibleAnnouncementEvent*>(event)->message());
#else
    if (event->type() == QAccessible::TextInserted)
        gSpoken.append(static_cast<QAccessibleTextInsertEvent*>(event)->textInserted());
#endif
}

// Whether `said` holds each of `expected`, in its order, among what Qt itself tells of the text.
bool saidInOrder(const QStringList& said, const QStringList& expected) {
    qsizetype next = 0;
    for (const QString& text : said)
        if (next < expected.size() && text == expected[next])
            ++next;
    return next == expected.size();
}

QString nameOf(QObject* object) {
    QAccessibleInterface* accessible = QAccessible::queryAccessibleInterface(object);
    return accessible ? accessible->text(QAccessible::Name) : QString();
}

} // namespace

class AccessibilityTest : public QObject {
    Q_OBJECT

private:
    std::unique_ptr<platform::DocumentController> mController;
    MyDocument* mWorksheet = nullptr;

    WorksheetWindow* window() const { return windowOf(mWorksheet); }
    WorksheetEditor* text() const { return editorOf(mWorksheet); }
    [[nodiscard]] bool calculate(const QString& line) { return typeAndCalculate(mWorksheet, line); }
    void press(QKeySequence keys) { QTest::keySequence(QApplication::focusWidget(), keys); }

private slots:
    void initTestCase() {
        QAccessible::installUpdateHandler(hear);
        // As a screen reader that has just started would.
        QPlatformAccessibility* platform =
            QGuiApplicationPrivate::platformIntegration()->accessibility();
        QVERIFY(platform);
        platform->setActive(true);
    }
    void init() {
        mController = std::make_unique<platform::DocumentController>(
            worksheetDocumentType(), [] { return std::make_unique<MyDocument>(); });
        mWorksheet = static_cast<MyDocument*>(mController->newDocument());
        window()->show();
        window()->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(window()));
        text()->setFocus();
        gText = text();
        gSpoken.clear();
    }
    void cleanup() { mController.reset(); }

    void answersAreSaidWithTheirLine_data() {
        QTest::addColumn<QStringList>("lines");
        QTest::addColumn<QStringList>("spoken");
        QTest::newRow("a value") << QStringList{"2 + 3"} << QStringList{"2 + 3: 5"};
        QTest::newRow("an error, with its reason")
            << QStringList{"junk"} << QStringList{"junk: Syntax error: “junk” is not defined"};
        QTest::newRow("a definition")
            << QStringList{"f(x) = x^2"} << QStringList{"f(x) = x^2: Function defined"};
    }
    void answersAreSaidWithTheirLine() {
        QFETCH(QStringList, lines);
        QFETCH(QStringList, spoken);
        for (const QString& line : lines)
            QVERIFY(calculate(line));
        QVERIFY2(saidInOrder(gSpoken, spoken), qPrintable(gSpoken.join(u'|')));
    }

    void aLiveUpdateSaysHowManyAnswersChanged() {
        for (const char* line : {"a = 1", "a + 1", "a * 10"})
            QVERIFY(calculate(QString::fromUtf8(line)));
        gSpoken.clear();
        QTextCursor first(mWorksheet->worksheet()->text()->firstBlock());
        first.movePosition(QTextCursor::NextCharacter, QTextCursor::MoveAnchor, 4);
        first.deleteChar();
        first.insertText(QStringLiteral("5"));
        first.movePosition(QTextCursor::EndOfBlock);
        text()->setTextCursor(first);
        QTest::keyClick(text(), Qt::Key_Return);
        // The line's own answer, then how many changed, its own among them.
        const QStringList spoken = {
            "a = 5: 5",
            QCoreApplication::translate("Worksheet", "%n answer(s) changed", nullptr, 3)};
        QVERIFY2(QTest::qWaitFor([&spoken] { return saidInOrder(gSpoken, spoken); }, kAnswerWaitMs),
                 qPrintable(gSpoken.join(u'|')));
    }

    void theTextSaysWhatItIsAndWhatItsLineSays() {
        QCOMPARE(nameOf(text()), QStringLiteral("Worksheet"));
        QCOMPARE(text()->accessibleDescription(), WorksheetEditor::usage());
        QVERIFY(calculate(QStringLiteral("b = 2")));
        QVERIFY(calculate(QStringLiteral("b + 1")));
        // Editing an answered line puts its answer out of date: struck through, and said so.
        QTextBlock statement = mWorksheet->worksheet()->text()->findBlockByNumber(2);
        QTextCursor edit(statement);
        edit.insertText(QStringLiteral("4 * "));
        QTextCursor onAnswer(statement.next());
        text()->setTextCursor(onAnswer);
        QCOMPARE(text()->accessibleDescription(), QStringLiteral("out of date: 3"));
        text()->moveCursor(QTextCursor::Start);
        QCOMPARE(text()->accessibleDescription(), WorksheetEditor::usage());
    }

    void everyControlHasAName_data() {
        QTest::addColumn<QString>("place");
        for (const char* place : {"window with its panels", "recovery", "shortcuts", "forget"})
            QTest::newRow(place) << QString::fromLatin1(place);
    }
    void everyControlHasAName() {
        QFETCH(QString, place);
        std::unique_ptr<QWidget> dialog;
        QWidget* shown = window();
        if (place == u"recovery") {
            dialog = std::make_unique<platform::RecoveryDialog>(QList<platform::RecoveryOffer>{
                {"Untitled", "price = 12", QDateTime::currentDateTime()}});
        } else if (place == u"shortcuts") {
            dialog = std::make_unique<ShortcutsDialog>(window()->menuBar(),
                                                       QList<ShortcutsDialog::KeyUse>{}, nullptr);
        } else if (place == u"forget") {
            auto* forget = window()->forgetDialog();
            forget->offer({"a", "b"}, false);
            forget->show();
            shown = forget;
        } else {
            window()->symbolsPanel()->show();
            commandOf(mWorksheet, QStringLiteral("&Function Reference"))->trigger();
            // A filter's clear button shows once there is something to clear.
            for (QLineEdit* filter : window()->findChildren<QLineEdit*>())
                filter->setText(QStringLiteral("s"));
        }
        if (dialog) {
            dialog->show();
            shown = dialog.get();
        }
        QApplication::processEvents();
        QStringList unnamed;
        for (QWidget* control : shown->findChildren<QWidget*>()) {
            // A list's header reads as its column names, not as a control of its own.
            const bool operable =
                qobject_cast<QAbstractButton*>(control) ||
                (control->focusPolicy() != Qt::NoFocus &&
                 (qobject_cast<QLineEdit*>(control) || qobject_cast<QComboBox*>(control) ||
                  qobject_cast<QAbstractItemView*>(control) || control == text()));
            if (operable && control->isVisible() && nameOf(control).trimmed().isEmpty())
                unnamed.append(QString::fromLatin1(control->metaObject()->className()) + u' ' +
                               control->objectName());
        }
        QVERIFY2(unnamed.isEmpty(), qPrintable(unnamed.join(u", ")));
    }

    void thePanelsAreReachedAndLeftFromTheKeyboard() {
        SymbolsPanel* symbols = window()->symbolsPanel();
        FunctionReferencePanel* reference = window()->findChild<FunctionReferencePanel*>();
        // Showing a panel goes to its filter; Escape comes back to the text.
        press(QKeySequence(QStringLiteral("Ctrl+Shift+Y")));
        QTRY_COMPARE(QApplication::focusWidget(), symbols->filter());
        press(QKeySequence(Qt::Key_Escape));
        QCOMPARE(QApplication::focusWidget(), text());
        press(QKeySequence(Qt::Key_F1));
        QTRY_COMPARE(QApplication::focusWidget(), reference->filter());
        // F6 goes round the text and the panels shown, Shift+F6 back.
        press(QKeySequence(Qt::Key_F6));
        QCOMPARE(QApplication::focusWidget(), text());
        press(QKeySequence(Qt::Key_F6));
        QCOMPARE(QApplication::focusWidget(), symbols->filter());
        press(QKeySequence(Qt::SHIFT | Qt::Key_F6));
        QCOMPARE(QApplication::focusWidget(), text());
        // Down goes from the filter to the list's first entry, and Shift+F10 opens its context
        // menu where the Menu key would.
        QVERIFY(calculate(QStringLiteral("width = 12")));
        symbols->refresh();
        symbols->filter()->setFocus();
        symbols->filter()->setText(QStringLiteral("wid"));
        press(QKeySequence(Qt::Key_Down));
        QTreeView* tree = symbols->tree();
        QCOMPARE(QApplication::focusWidget(), tree);
        QCOMPARE(tree->currentIndex().data().toString(), QStringLiteral("width"));
        QStringList offered;
        QTimer::singleShot(0, this, [&offered] {
            if (auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget())) {
                for (const QAction* action : menu->actions())
                    offered.append(action->text());
                menu->close();
            }
        });
        QTest::keyClick(tree, Qt::Key_F10, Qt::ShiftModifier);
        QCOMPARE(offered, (QStringList{"Insert “width”", "Forget “width”"}));
    }
};

FIGURELLO_WORKSHEET_TEST_MAIN(AccessibilityTest)
#include "accessibility_test.moc"
