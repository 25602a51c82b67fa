// SPDX-License-Identifier: GPL-3.0-or-later
// Telling a file's type: the contents first, then the extension, with the application's own
// type known only through the descriptor it hands the framework.

#include "platform/filetypes.h"

#include <QTest>

namespace {

// A type of some other application, so that nothing of the worksheet's can answer for it.
const platform::DocumentType kNotes = [] {
    platform::DocumentType notes;
    notes.typeName = QStringLiteral("Notes");
    notes.suffix = QStringLiteral("notes");
    notes.mimeType = QStringLiteral("application/x-notes");
    return notes;
}();

} // namespace

class FileTypesTest : public QObject {
    Q_OBJECT

private slots:
    void tellsTheType_data() {
        QTest::addColumn<QString>("fileName");
        QTest::addColumn<QByteArray>("contents");
        QTest::addColumn<QString>("type");
        QTest::newRow("a property list is the application's own, whatever its name")
            << "list.txt" << QByteArray("<?xml version=\"1.0\"?>\n<plist version=\"1.0\">")
            << kNotes.typeName;
        QTest::newRow("a binary property list too")
            << "x" << QByteArray("bplist00") << kNotes.typeName;
        QTest::newRow("RTF by its header")
            << "x.txt" << QByteArray("{\\rtf1 a}") << platform::kRtfType;
        QTest::newRow("the application's suffix")
            << "a.notes" << QByteArray("?") << kNotes.typeName;
        QTest::newRow("an RTF suffix") << "a.RTF" << QByteArray("?") << platform::kRtfType;
        QTest::newRow("a text suffix") << "a.txt" << QByteArray("?") << platform::kPlainTextType;
        QTest::newRow("another application's suffix")
            << "a.figurello" << QByteArray("?") << QString();
    }
    void tellsTheType() {
        QFETCH(QString, fileName);
        QFETCH(QByteArray, contents);
        QFETCH(QString, type);
        QCOMPARE(platform::documentTypeOf(kNotes, fileName, contents), type);
    }
};

QTEST_GUILESS_MAIN(FileTypesTest)

#include "filetypes_test.moc"
