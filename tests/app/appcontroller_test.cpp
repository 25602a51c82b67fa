#include "app/appcontroller.h"

#include <QTest>

class AppControllerTest : public QObject {
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
        AppController controller{QLocale(locale)};
        QCOMPARE(AppController::isCommaDecimal(), comma);
        QCOMPARE(AppController::calcTimeout(), 1.0);
    }

    void attributesAreSharedOrFresh() {
        AppController controller;
        QCOMPARE(AppController::sharedController(), &controller);
        QCOMPARE(&AppController::normalAtts(), &AppController::normalAtts());
        QCOMPARE(AppController::errorAtts(), AppController::errorAtts());
        QCOMPARE(AppController::successAtts(), AppController::successAtts());
        // Typed text takes the palette's colour, so it stays readable in light and dark themes.
        QVERIFY(!AppController::normalAtts().hasProperty(QTextFormat::ForegroundBrush));
        QVERIFY(AppController::errorAtts().hasProperty(QTextFormat::ForegroundBrush));
        QCOMPARE(AppController::successAtts().foreground().color(), AppController::defaultGreen());
    }

    void resultColoursStayReadableInADarkTheme() {
        AppController controller;
        const QPalette light = QGuiApplication::palette();
        QPalette dark = light;
        dark.setColor(QPalette::Base, QColor(30, 30, 30));
        dark.setColor(QPalette::Text, QColor(230, 230, 230));
        QGuiApplication::setPalette(dark);
        const QColor onDark = AppController::defaultGreen();
        const QColor errorOnDark = AppController::errorAtts().foreground().color();
        QGuiApplication::setPalette(light);
        const QColor onLight = AppController::defaultGreen();
        const QColor errorOnLight = AppController::errorAtts().foreground().color();
        QVERIFY(onDark.lightness() > 128);
        QVERIFY(onLight.lightness() < 128);
        // Errors follow a switch made while running too.
        QVERIFY(errorOnDark.lightness() > errorOnLight.lightness());
    }
};

QTEST_MAIN(AppControllerTest)
#include "appcontroller_test.moc"
