// SPDX-License-Identifier: GPL-3.0-or-later
#include "worksheet/answerformats.h"
#include "worksheet/worksheetoptions.h"
#include "worksheettestmain.h"

#include <QGuiApplication>
#include <QPalette>
#include <QTest>

class WorksheetOptionsTest : public QObject {
    Q_OBJECT

private slots:
    void decimalCommaFollowsTheLocale_data() {
        QTest::addColumn<QString>("locale");
        QTest::addColumn<bool>("comma");
        QTest::newRow("German writes a comma") << "de_DE" << true;
        QTest::newRow("French writes a comma") << "fr_FR" << true;
        QTest::newRow("US English writes a point") << "en_US" << false;
        QTest::newRow("Swiss German writes a point") << "de_CH" << false;
        QTest::newRow("Arabic (Egypt) writes another separator") << "ar_EG" << false;
    }
    void decimalCommaFollowsTheLocale() {
        QFETCH(QString, locale);
        QFETCH(bool, comma);
        const WorksheetOptions options = WorksheetOptions::forLocale(QLocale(locale));
        QCOMPARE(options.commaIsDecimal, comma);
        // The rest are the defaults, whatever the locale.
        WorksheetOptions defaults;
        defaults.commaIsDecimal = comma;
        QVERIFY(options == defaults);
        QCOMPARE(options.timeLimitSeconds, 1.0);
        QVERIFY(options.updatesDependents);
    }

    // Typed text takes the palette's colour, so it stays readable in light and dark schemes;
    // answers take the result colours of the scheme in use when they are written.
    void answerColoursFollowTheScheme() {
        QVERIFY(!normalFormat().hasProperty(QTextFormat::ForegroundBrush));
        QCOMPARE(successFormat().foreground().color(), resultGreen());
        const QPalette light = QGuiApplication::palette();
        QPalette dark = light;
        dark.setColor(QPalette::Base, QColor(30, 30, 30));
        dark.setColor(QPalette::Text, QColor(230, 230, 230));
        QGuiApplication::setPalette(dark);
        const QColor greenOnDark = resultGreen();
        const QColor redOnDark = errorFormat().foreground().color();
        QGuiApplication::setPalette(light);
        QVERIFY(greenOnDark.lightness() > 128);
        QVERIFY(resultGreen().lightness() < 128);
        QVERIFY(redOnDark.lightness() > errorFormat().foreground().color().lightness());
    }
};

FIGURELLO_MODEL_TEST_MAIN(WorksheetOptionsTest)

#include "worksheetoptions_test.moc"
