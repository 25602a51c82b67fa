// SPDX-License-Identifier: GPL-3.0-or-later
// The desktop's recently-used list: other applications' entries survive, ours is added once and
// then updated, and a list we cannot read is never overwritten.

#include "platform/recentlyused.h"

#include <QCoreApplication>
#include <QFile>
#include <QMap>
#include <QTemporaryDir>
#include <QTest>
#include <QUrl>
#include <QXmlStreamReader>

#include <memory>

namespace {

// The worksheet's own type: the list must say it, whatever the system's MIME database knows.
const QString kWorksheetType = QStringLiteral("application/x-figurello-worksheet");

struct Bookmark {
    QString added;
    QString mimeType;
    QMap<QString, int> counts; // by application name
};

// The list as a reader such as GLib's sees it; empty when it is not XBEL.
QMap<QString, Bookmark> readList(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    QXmlStreamReader xml(&file);
    QMap<QString, Bookmark> bookmarks;
    QString href;
    while (!xml.atEnd()) {
        if (xml.readNext() != QXmlStreamReader::StartElement)
            continue;
        const QXmlStreamAttributes attributes = xml.attributes();
        if (xml.name() == QLatin1String("bookmark") && xml.namespaceUri().isEmpty()) {
            href = attributes.value(QLatin1String("href")).toString();
            bookmarks[href].added = attributes.value(QLatin1String("added")).toString();
        } else if (xml.name() == QLatin1String("mime-type")) {
            bookmarks[href].mimeType = attributes.value(QLatin1String("type")).toString();
        } else if (xml.name() == QLatin1String("application") &&
                   xml.namespaceUri() ==
                       QLatin1String("http://www.freedesktop.org/standards/desktop-bookmarks")) {
            bookmarks[href].counts[attributes.value(QLatin1String("name")).toString()] =
                attributes.value(QLatin1String("count")).toInt();
        }
    }
    return xml.hasError() ? QMap<QString, Bookmark>() : bookmarks;
}

QByteArray listWith(const QByteArray& bookmarks) {
    return "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
           "<xbel version=\"1.0\"\n"
           "      xmlns:bookmark=\"http://www.freedesktop.org/standards/desktop-bookmarks\"\n"
           "      xmlns:mime=\"http://www.freedesktop.org/standards/shared-mime-info\">\n" +
           bookmarks + "</xbel>\n";
}

QByteArray bookmark(const QByteArray& href, const QByteArray& application, int count,
                    const QByteArray& modified = "2026-01-02T03:04:05.000000Z") {
    return "  <bookmark href=\"" + href + "\" added=\"2026-01-01T00:00:00.000000Z\" modified=\"" +
           modified + "\" visited=\"" + modified +
           "\">\n"
           "    <info><metadata owner=\"http://freedesktop.org\">\n"
           "      <mime:mime-type type=\"text/plain\"/>\n"
           "      <bookmark:applications>\n"
           "        <bookmark:application name=\"" +
           application + "\" exec=\"&apos;" + application.toLower() +
           " %u&apos;\" modified=\"" + modified + "\" count=\"" + QByteArray::number(count) +
           "\"/>\n"
           "      </bookmark:applications>\n"
           "    </metadata></info>\n"
           "  </bookmark>\n";
}

} // namespace

class RecentlyUsedTest : public QObject {
    Q_OBJECT

private slots:
    void init() {
        mHome = std::make_unique<QTemporaryDir>();
        QVERIFY(mHome->isValid());
        qputenv("XDG_DATA_HOME", QFile::encodeName(mHome->path() + QStringLiteral("/data")));
        mWorksheet = mHome->filePath(QStringLiteral("sums & totals.figurello"));
        mHref = QString::fromLatin1(QUrl::fromLocalFile(mWorksheet).toEncoded());
    }

    void followsXdgDataHome() {
        QCOMPARE(platform::recentlyUsedListPath(),
                 mHome->path() + QStringLiteral("/data/recently-used.xbel"));
    }

    void recordsUse_data() {
        QTest::addColumn<QByteArray>("existing"); // null: no list yet
        QTest::addColumn<int>("bookmarks");
        QTest::addColumn<int>("ourCount");
        const QByteArray other = bookmark("file:///home/u/notes.txt", "gedit", 7);
        QTest::newRow("no list yet") << QByteArray() << 1 << 1;
        QTest::newRow("empty list") << listWith("") << 1 << 1;
        QTest::newRow("another application's entry kept") << listWith(other) << 2 << 1;
        QTest::newRow("our entry counted up, not repeated")
            << listWith(other + bookmark("@HREF@", "Figurello", 3)) << 2 << 4;
        QTest::newRow("the file used by another application too")
            << listWith(bookmark("@HREF@", "gedit", 2)) << 1 << 1;
    }
    void recordsUse() {
        QFETCH(QByteArray, existing);
        QFETCH(int, bookmarks);
        QFETCH(int, ourCount);
        const QString path = platform::recentlyUsedListPath();
        if (!existing.isNull()) {
            QVERIFY(QDir().mkpath(QFileInfo(path).path()));
            QFile file(path);
            QVERIFY(file.open(QIODevice::WriteOnly));
            file.write(existing.replace("@HREF@", mHref.toHtmlEscaped().toUtf8()));
        }
        const QMap<QString, Bookmark> before = readList(path);

        QString error;
        QVERIFY2(platform::addToRecentlyUsed(mWorksheet, kWorksheetType, &error),
                 qPrintable(error));

        const QMap<QString, Bookmark> after = readList(path);
        QCOMPARE(after.size(), bookmarks);
        QCOMPARE(after.value(mHref).counts.value(QCoreApplication::applicationName()), ourCount);
        QCOMPARE(after.value(mHref).mimeType,
                 before.contains(mHref) ? before.value(mHref).mimeType : kWorksheetType);
        QVERIFY(!after.value(mHref).added.isEmpty());
        // Everything that was there stays, as it was.
        for (auto it = before.begin(); it != before.end(); ++it) {
            QVERIFY(after.contains(it.key()));
            QCOMPARE(after.value(it.key()).added, it->added);
            for (auto count = it->counts.begin(); count != it->counts.end(); ++count)
                if (count.key() != QCoreApplication::applicationName())
                    QCOMPARE(after.value(it.key()).counts.value(count.key()), count.value());
        }
    }

    void leavesUnreadableListAlone_data() {
        QTest::addColumn<QByteArray>("contents");
        QTest::newRow("cut off") << listWith(bookmark("file:///a", "gedit", 1)).left(200);
        QTest::newRow("not XML") << QByteArray("recently used: a, b, c\n");
        QTest::newRow("XML but not XBEL") << QByteArray("<?xml version=\"1.0\"?><plist/>");
    }
    void leavesUnreadableListAlone() {
        QFETCH(QByteArray, contents);
        const QString path = platform::recentlyUsedListPath();
        QVERIFY(QDir().mkpath(QFileInfo(path).path()));
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(contents);
        file.close();

        QString error;
        QVERIFY(!platform::addToRecentlyUsed(mWorksheet, kWorksheetType, &error));
        QVERIFY2(error.contains(QStringLiteral("recently-used.xbel")), qPrintable(error));
        QVERIFY(file.open(QIODevice::ReadOnly));
        QCOMPARE(file.readAll(), contents);
    }

    // A list that only grows slows every application that reads it.
    void dropsTheOldestBeyondTheLimit() {
        QByteArray many;
        for (int i = 0; i < 600; ++i)
            many += bookmark("file:///old/" + QByteArray::number(i), "gedit", 1,
                         "2020-01-01T00:00:00.000000Z");
        const QString path = platform::recentlyUsedListPath();
        QVERIFY(QDir().mkpath(QFileInfo(path).path()));
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(listWith(many + bookmark("file:///newest", "gedit", 1)));
        file.close();

        QVERIFY(platform::addToRecentlyUsed(mWorksheet, kWorksheetType));
        const QMap<QString, Bookmark> after = readList(path);
        QCOMPARE(after.size(), 500);
        QVERIFY(after.contains(mHref));
        QVERIFY(after.contains(QStringLiteral("file:///newest")));
    }

private:
    std::unique_ptr<QTemporaryDir> mHome;
    QString mWorksheet;
    QString mHref;
};

int main(int argc, char** argv) {
    QCoreApplication application(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("Figurello"));
    RecentlyUsedTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "recentlyused_test.moc"
