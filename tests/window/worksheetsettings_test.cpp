#include "worksheet/worksheetsettings.h"

#include <QTest>

class WorksheetSettingsTest : public QObject {
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
        WorksheetSettings controller{QLocale(locale)};
        QCOMPARE(WorksheetSettings::isCommaDecimal(), comma);
        QCOMPARE(WorksheetSettings::calcTimeout(), 1.0);
    }

    void attributesAreSharedOrFresh() {
        WorksheetSettings controller;
        QCOMPARE(WorksheetSettings::shared(), &controller);
        QCOMPARE(&WorksheetSettings::normalAtts(), &WorksheetSettings::normalAtts());
        QCOMPARE(WorksheetSettings::errorAtts(), WorksheetSettings::errorAtts());
        QCOMPARE(WorksheetSettings::successAtts(), WorksheetSettings::successAtts());
        // Typed text takes the palette's colour, so it stays readable in light and dark themes.
        QVERIFY(!WorksheetSettings::normalAtts().hasProperty(QTextFormat::ForegroundBrush));
        QVERIFY(WorksheetSettings::errorAtts().hasProperty(QTextFormat::ForegroundBrush));
        QCOMPARE(WorksheetSettings::successAtts().foreground().color(),
                 WorksheetSettings::defaultGreen());
    }

    void resultColoursStayReadableInADarkTheme() {
        WorksheetSettings controller;
        const QPalette light = QGuiApplication::palette();
        QPalette dark = light;
        dark.setColor(QPalette::Base, QColor(30, 30, 30));
        dark.setColor(QPalette::Text, QColor(230, 230, 230));
        QGuiApplication::setPalette(dark);
        const QColor onDark = WorksheetSettings::defaultGreen();
        const QColor errorOnDark = WorksheetSettings::errorAtts().foreground().color();
        QGuiApplication::setPalette(light);
        const QColor onLight = WorksheetSettings::defaultGreen();
        const QColor errorOnLight = WorksheetSettings::errorAtts().foreground().color();
        QVERIFY(onDark.lightness() > 128);
        QVERIFY(onLight.lightness() < 128);
        // Errors follow a switch made while running too.
        QVERIFY(errorOnDark.lightness() > errorOnLight.lightness());
    }
};

QTEST_MAIN(WorksheetSettingsTest)

#include "worksheetsettings_test.moc"
