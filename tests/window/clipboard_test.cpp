// SPDX-License-Identifier: GPL-3.0-or-later
// What other programs hand a worksheet, on a real X server. Pasting: a clipboard nobody owns,
// one that holds only a picture, only HTML or only RTF, and ten megabytes of text; Paste, Paste
// Without Commas and $, and the middle button each take the text in it, and only the text.
// Dropping: text goes in where it is dropped, files the worksheet reads are opened, and
// anything else is refused.

#include "platform/documentcontroller.h"
#include "platform/keyedtexts.h"
#include "window/mydocument.h"
#include "window/worksheeteditor.h"
#include "windowtesting.h"
#include "worksheet/worksheettype.h"
#include "worksheettestmain.h"
#include "xserver.h"

#include <QBuffer>
#include <QClipboard>
#include <QDir>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFile>
#include <QGuiApplication>
#include <QImage>
#include <QLocale>
#include <QMainWindow>
#include <QMimeData>
#include <QProcess>
#include <QStatusBar>
#include <QTemporaryDir>
#include <QTest>
#include <QUrl>

namespace {

enum class Action { Paste, PasteCleaned, MiddleClick };

QByteArray pngImage() {
    QImage image(8, 8, QImage::Format_RGB32);
    image.fill(Qt::red);
    QByteArray png;
    QBuffer buffer(&png);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "PNG");
    return png;
}

// Ten megabytes in lines as long as a wide spreadsheet's, with no comma or dollar sign in it.
QByteArray tenMegabytes() {
    const QByteArray line = QByteArray("1234.5 * 2 + ").repeated(9) + "7\n";
    return line.repeated(10'000'000 / line.size());
}

QClipboard::Mode modeOf(Action action) {
    return action == Action::MiddleClick ? QClipboard::Selection : QClipboard::Clipboard;
}

QStringList offered(QClipboard::Mode mode) {
    const QMimeData* data = QGuiApplication::clipboard()->mimeData(mode);
    return data ? data->formats() : QStringList();
}

} // namespace

class ClipboardTest : public QObject {
    Q_OBJECT

    platform::DocumentController* mController = nullptr;
    MyDocument* mDocument = nullptr;
    // Another program, which owns the clipboard while it runs.
    QProcess mOwner;

    // Hands the bytes to xclip, which offers them as `target` until it is stopped.
    [[nodiscard]] bool own(QClipboard::Mode mode, const QByteArray& target,
                           const QByteArray& bytes) {
        mOwner.start(QStringLiteral("xclip"),
                     {QStringLiteral("-quiet"), QStringLiteral("-selection"),
                      mode == QClipboard::Selection ? QStringLiteral("primary")
                                                    : QStringLiteral("clipboard"),
                      QStringLiteral("-t"), QString::fromLatin1(target), QStringLiteral("-i")});
        if (!mOwner.waitForStarted()) {
            qWarning("xclip cannot be started (scripts/setup installs it)");
            return false;
        }
        mOwner.write(bytes);
        mOwner.closeWriteChannel();
        return QTest::qWaitFor([mode] { return !offered(mode).isEmpty(); }, 10000);
    }

private slots:
    void init() {
        mController = new platform::DocumentController(
            worksheetDocumentType(), [] { return std::make_unique<MyDocument>(); });
        mDocument = static_cast<MyDocument*>(mController->newDocument());
        QVERIFY(QTest::qWaitForWindowExposed(mDocument->window()));
    }
    void cleanup() {
        mOwner.kill();
        mOwner.waitForFinished();
        // The clipboard is nobody's again once its owner has gone.
        QTRY_VERIFY(offered(QClipboard::Clipboard).isEmpty());
        QTRY_VERIFY(offered(QClipboard::Selection).isEmpty());
        mDocument->setDocumentEdited(false);
        delete mController;
    }

    void pasteTakesTheTextOnly_data() {
        QTest::addColumn<Action>("action");
        QTest::addColumn<QByteArray>("target");
        QTest::addColumn<QByteArray>("copied");
        QTest::addColumn<QString>("pasted");
        QTest::addColumn<QString>("message");
        const QString noText = platform::keyedText("NoTextToPaste");
        const QByteArray html = "<p><b>$1,2</b>34 + <i>5</i></p>";
        const QByteArray rtf =
            "{\\rtf1\\ansi\\deff0{\\fonttbl{\\f0 Helvetica;}}\\f0 $6,0\\b 00\\b0  * 2}";
        const QByteArray big = tenMegabytes();
        const struct {
            const char* name;
            Action action;
            const char* cleaned;
        } actions[] = {
            {"Paste", Action::Paste, nullptr},
            {"Paste Without Commas and $", Action::PasteCleaned, ",$"},
            {"middle button", Action::MiddleClick, nullptr},
        };
        for (const auto& [name, action, cleaned] : actions) {
            const auto clean = [cleaned](QString text) {
                return cleaned ? text.removeIf([](QChar c) { return c == u',' || c == u'$'; })
                               : text;
            };
            // A clipboard nobody owns offers nothing: nothing happens, and nothing is said.
            QTest::addRow("%s, nothing copied", name)
                << action << QByteArray() << QByteArray() << QString() << QString();
            QTest::addRow("%s, only a picture", name)
                << action << QByteArray("image/png") << pngImage() << QString() << noText;
            QTest::addRow("%s, only HTML", name)
                << action << QByteArray("text/html") << html << clean(QStringLiteral("$1,234 + 5"))
                << QString();
            QTest::addRow("%s, only RTF", name) << action << QByteArray("text/rtf") << rtf
                                                << clean(QStringLiteral("$6,000 * 2")) << QString();
            if (action == Action::Paste)
                QTest::addRow("%s, a million lines, more than a worksheet shows", name)
                    << action << QByteArray("UTF8_STRING")
                    << QByteArray("1+1\n").repeated(1'000'000) << QString()
                    << platform::keyedText("TooManyLinesToPaste")
                           .arg(QLocale().toString(1'000'000));
            QTest::addRow("%s, ten megabytes of text", name)
                << action << QByteArray("UTF8_STRING") << big << QString::fromLatin1(big)
                << QString();
        }
    }
    void pasteTakesTheTextOnly() {
        QFETCH(Action, action);
        QFETCH(QByteArray, target);
        QFETCH(QByteArray, copied);
        QFETCH(QString, pasted);
        QFETCH(QString, message);
        const QClipboard::Mode mode = modeOf(action);
        if (!target.isEmpty())
            QVERIFY(own(mode, target, copied));
        QVERIFY(offered(mode).isEmpty() == target.isEmpty());

        WorksheetEditor* view = editorOf(mDocument);
        switch (action) {
        case Action::Paste:
            QTest::keyClick(view, Qt::Key_V, Qt::ControlModifier);
            break;
        case Action::PasteCleaned:
            commandOf(mDocument, QStringLiteral("Paste &Without Commas and $"))->trigger();
            break;
        case Action::MiddleClick:
            QTest::mouseClick(view->viewport(), Qt::MiddleButton);
            break;
        }
        // A long paste goes in a piece at a time, with the window answering in between.
        if (pasted.size() > 1'000'000)
            QVERIFY(view->isPasting());
        QTRY_VERIFY_WITH_TIMEOUT(!view->isPasting(), 120'000);
        const QString text = view->toPlainText();
        QVERIFY2(text == pasted, qPrintable(QStringLiteral("%1 characters pasted, %2 expected")
                                                .arg(text.size())
                                                .arg(pasted.size())));
        QCOMPARE(mDocument->window()->statusBar()->currentMessage(), message);
        // One Undo takes the paste back, however it went in.
        if (!pasted.isEmpty()) {
            view->undo();
            QCOMPARE(view->toPlainText(), QString());
        }
    }

    void dropsInsertTextAndOpenFiles_data() {
        QTest::addColumn<QStringList>("files");
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("accepted");
        QTest::addColumn<QString>("textAfter");
        QTest::addColumn<int>("opened");
        QTest::newRow("text, where it is dropped")
            << QStringList() << QStringLiteral("+ 4 ") << true << QStringLiteral("2 + 4 * 3") << 0;
        QTest::newRow("a worksheet, opened") << QStringList{QStringLiteral("sums.figurello")}
                                             << QString() << true << QStringLiteral("2 * 3") << 1;
        QTest::newRow("an RTF and a text file, both opened")
            << QStringList{QStringLiteral("notes.rtf"), QStringLiteral("list.txt")} << QString()
            << true << QStringLiteral("2 * 3") << 2;
        QTest::newRow("a picture, refused") << QStringList{QStringLiteral("red.png")} << QString()
                                            << false << QStringLiteral("2 * 3") << 0;
        QTest::newRow("a worksheet with a picture, refused whole")
            << QStringList{QStringLiteral("sums.figurello"), QStringLiteral("red.png")} << QString()
            << false << QStringLiteral("2 * 3") << 0;
        // A file manager offers the names as text too: they are never typed in.
        QTest::newRow("a picture with its name as text, refused")
            << QStringList{QStringLiteral("red.png")} << QStringLiteral("red.png") << false
            << QStringLiteral("2 * 3") << 0;
    }
    void dropsInsertTextAndOpenFiles() {
        QFETCH(QStringList, files);
        QFETCH(QString, text);
        QFETCH(bool, accepted);
        QFETCH(QString, textAfter);
        QFETCH(int, opened);
        QTemporaryDir folder;
        const auto write = [&folder](const QString& name, const QByteArray& bytes) {
            QFile file(folder.filePath(name));
            return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
        };
        QVERIFY(write(QStringLiteral("sums.figurello"),
                      mDocument->dataOfType(worksheetDocumentType().typeName, nullptr)));
        QVERIFY(write(QStringLiteral("notes.rtf"), "{\\rtf1\\ansi 1+1}"));
        QVERIFY(write(QStringLiteral("list.txt"), "1+2\n"));
        QVERIFY(write(QStringLiteral("red.png"), pngImage()));

        WorksheetEditor* view = editorOf(mDocument);
        view->setPlainText(QStringLiteral("2 * 3"));
        QTextCursor at(view->document());
        at.setPosition(2);
        const QPoint dropPoint = view->cursorRect(at).center();
        auto* dragged = new QMimeData;
        QList<QUrl> urls;
        for (const QString& name : std::as_const(files))
            urls.append(QUrl::fromLocalFile(folder.filePath(name)));
        if (!urls.isEmpty())
            dragged->setUrls(urls);
        if (!text.isEmpty())
            dragged->setText(text);
        const int documentsBefore = int(mController->documents().size());

        QDragEnterEvent enter(dropPoint, Qt::CopyAction, dragged, Qt::LeftButton, Qt::NoModifier);
        QCoreApplication::sendEvent(view->viewport(), &enter);
        QCOMPARE(enter.isAccepted(), accepted);
        if (accepted) {
            QDropEvent drop(dropPoint, Qt::CopyAction, dragged, Qt::LeftButton, Qt::NoModifier);
            QCoreApplication::sendEvent(view->viewport(), &drop);
        }
        QCOMPARE(view->toPlainText(), textAfter);
        QCOMPARE(int(mController->documents().size()) - documentsBefore, opened);
        delete dragged;
    }
};

int main(int argc, char** argv) {
    XServer server;
    return runWorksheetTest<ClipboardTest, QApplication>(argc, argv);
}

#include "clipboard_test.moc"
