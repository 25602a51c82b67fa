// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/savedframe.h"

#include <QTest>

// Frames go out as the saved-frame strings Macs write and come back at the same place; frames
// from another screen land inside this one.
class SavedFrameTest : public QObject {
    Q_OBJECT

private slots:
    void readsFrames_data() {
        QTest::addColumn<QString>("saved");
        QTest::addColumn<QRect>("available");
        QTest::addColumn<QRect>("expected");
        const QRect screen(0, 0, 1440, 877);
        QTest::newRow("written on a Mac, same screen")
            << "389 297 600 500 0 0 1440 877 " << screen << QRect(389, 80, 600, 500);
        QTest::newRow("no screen part") << "10 20 300 200" << screen << QRect(10, 657, 300, 200);
        QTest::newRow("off the screen's right and bottom edges")
            << "5000 -4000 600 500 0 0 1440 877 " << screen << QRect(840, 377, 600, 500);
        QTest::newRow("larger than the screen")
            << "0 0 4000 3000 0 0 4000 3000" << QRect(0, 0, 1024, 700) << QRect(0, 0, 1024, 700);
        QTest::newRow("a screen with a panel at the top")
            << "389 297 600 500 0 0 1440 877 " << QRect(0, 32, 1440, 877)
            << QRect(389, 112, 600, 500);
        QTest::newRow("garbage") << "left top" << screen << QRect();
        QTest::newRow("empty size") << "1 2 0 0" << screen << QRect();
        QTest::newRow("not finite") << "nan 2 3 4" << screen << QRect();
    }
    void readsFrames() {
        QFETCH(QString, saved);
        QFETCH(QRect, available);
        QFETCH(QRect, expected);
        QCOMPARE(platform::frameFromSavedString(saved, available), expected);
    }

    void writesWhatItReadsBack_data() {
        QTest::addColumn<QRect>("frame");
        QTest::addColumn<QRect>("available");
        QTest::newRow("primary screen") << QRect(100, 120, 500, 400) << QRect(0, 0, 1920, 1080);
        QTest::newRow("panel at the top") << QRect(30, 60, 640, 520) << QRect(0, 28, 1280, 772);
        QTest::newRow("second screen") << QRect(2000, 50, 700, 600) << QRect(1920, 0, 1920, 1200);
    }
    void writesWhatItReadsBack() {
        QFETCH(QRect, frame);
        QFETCH(QRect, available);
        QCOMPARE(
            platform::frameFromSavedString(platform::savedFrameString(frame, available), available),
            frame);
    }
};

QTEST_MAIN(SavedFrameTest)

#include "savedframe_test.moc"
