// SPDX-License-Identifier: GPL-3.0-or-later
#include "worksheet/resultformat.h"
#include "worksheettestmain.h"

#include <QTest>

#include <cfloat>
#include <clocale>
#include <cmath>
#include <cstdio>
#include <limits>
#include <string>

namespace {

// What the C library prints for %.12g in the classic locale: the text decimal results must
// match.
QString printfG12(double value) {
    const std::string saved = std::setlocale(LC_NUMERIC, nullptr);
    std::setlocale(LC_NUMERIC, "C");
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, "%.12g", value);
    std::setlocale(LC_NUMERIC, saved.c_str());
    return QString::fromLatin1(buffer);
}

constexpr double infinity = std::numeric_limits<double>::infinity();
constexpr double notANumber = std::numeric_limits<double>::quiet_NaN();

} // namespace

class ResultFormatTest : public QObject {
    Q_OBJECT

private slots:
    void hexadecimalOnlyForPositiveWholeValuesBelowLimit_data() {
        QTest::addColumn<double>("value");
        QTest::addColumn<QString>("expected");
        QTest::newRow("whole") << 255.0 << "0xFF";
        QTest::newRow("rounding noise still whole") << 255.00000001 << "0xFF";
        QTest::newRow("no leading zeros") << 4096.0 << "0x1000";
        QTest::newRow("just inside tolerance") << 7.0 - 0x1p-24 << "0x7";
        QTest::newRow("tolerance reached is decimal") << 7.0 + 0x1p-23 << "7.00000011921";
        QTest::newRow("tiny positive is within tolerance of zero") << 1e-10 << "0x0";
        QTest::newRow("fraction") << 2.5 << "2.5";
        QTest::newRow("zero") << 0.0 << "0";
        QTest::newRow("negative zero") << -0.0 << "-0";
        QTest::newRow("negative") << -255.0 << "-255";
        QTest::newRow("limit itself") << 4.6e15 << "4.6e+15";
        QTest::newRow("largest whole below limit")
            << std::nextafter(4.6e15, 0.0) << "0x1057ACF5F77FFF";
        QTest::newRow("infinity") << infinity << "inf";
        QTest::newRow("not a number") << notANumber << "nan";
    }
    void hexadecimalOnlyForPositiveWholeValuesBelowLimit() {
        QFETCH(double, value);
        QFETCH(QString, expected);
        QCOMPARE(formatCalculatedResult(value, true, false), expected);
    }

    void decimalIsPrintfG12_data() {
        QTest::addColumn<double>("value");
        QTest::addColumn<QString>("expected");
        QTest::newRow("binary fraction noise hidden") << 0.1 + 0.2 << "0.3";
        QTest::newRow("twelve significant digits") << 1.0 / 3.0 << "0.333333333333";
        QTest::newRow("twelve-digit whole in full") << 123456789012.0 << "123456789012";
        QTest::newRow("thirteen-digit whole in exponent form")
            << 1234567890123.0 << "1.23456789012e+12";
        QTest::newRow("exponent 12") << 1e12 << "1e+12";
        QTest::newRow("exponent -4 still plain") << 1e-4 << "0.0001";
        QTest::newRow("exponent -5 with two exponent digits") << 1e-5 << "1e-05";
        QTest::newRow("trailing zeros kept in whole number") << 100.0 << "100";
        QTest::newRow("rounds up to next power of ten") << 999999999999.5 << "1e+12";
        QTest::newRow("whole value shown decimal when hex is off") << 255.0 << "255";
        QTest::newRow("infinity") << infinity << "inf";
        QTest::newRow("negative infinity") << -infinity << "-inf";
        QTest::newRow("not a number") << notANumber << "nan";
        QTest::newRow("not a number with sign bit") << -notANumber << "-nan";
        QTest::newRow("smallest subnormal")
            << std::numeric_limits<double>::denorm_min() << "4.94065645841e-324";
        QTest::newRow("largest finite") << DBL_MAX << "1.79769313486e+308";
        QTest::newRow("negative zero") << -0.0 << "-0";
    }
    void decimalIsPrintfG12() {
        QFETCH(double, value);
        QFETCH(QString, expected);
        QCOMPARE(printfG12(value), expected);
        QCOMPARE(formatCalculatedResult(value, false, false), expected);
    }

    // Ties at the twelfth digit and every decimal exponent are where two formatters would
    // disagree if they could.
    void decimalAgreesWithPrintfAcrossMagnitudes() {
        const double mantissas[] = {
            1.0, 1.5, 1.0 / 3.0, 2.0 / 3.0, 9.999999999995, 1.0000000000005};
        for (int exponent = -325; exponent <= 308; ++exponent) {
            for (double mantissa : mantissas) {
                const double value = mantissa * std::pow(10.0, exponent);
                QCOMPARE(formatCalculatedResult(value, false, false), printfG12(value));
                QCOMPARE(formatCalculatedResult(-value, false, false), printfG12(-value));
            }
        }
        for (long long whole = 100000000000LL; whole < 100000000000LL + 1000; ++whole) {
            const double tie = static_cast<double>(whole) + 0.5;
            QCOMPARE(formatCalculatedResult(tie, false, false), printfG12(tie));
        }
    }

    // Qt applications take LC_NUMERIC from the environment; results must still use a point.
    void decimalIgnoresProcessLocale() {
        const std::string saved = std::setlocale(LC_NUMERIC, nullptr);
        const char* commaLocales[] = {"de_DE.UTF-8", "fr_FR.UTF-8", "de_DE", "fr_FR"};
        const char* chosen = nullptr;
        for (const char* name : commaLocales) {
            if (std::setlocale(LC_NUMERIC, name)) {
                chosen = name;
                break;
            }
        }
        if (!chosen)
            QSKIP("no locale with a decimal comma installed");
        const QString text = formatCalculatedResult(1.5, false, false);
        std::setlocale(LC_NUMERIC, saved.c_str());
        QCOMPARE(text, QStringLiteral("1.5"));
    }

    void decimalComma_data() {
        QTest::addColumn<double>("value");
        QTest::addColumn<bool>("integersAsHex");
        QTest::addColumn<QString>("expected");
        QTest::newRow("fraction") << 1.5 << false << "1,5";
        QTest::newRow("exponent form") << 1.5e20 << false << "1,5e+20";
        QTest::newRow("no decimal mark") << 1e-5 << false << "1e-05";
        QTest::newRow("hexadecimal unaffected") << 255.0 << true << "0xFF";
        QTest::newRow("fraction with hexadecimal on") << 2.5 << true << "2,5";
    }
    void decimalComma() {
        QFETCH(double, value);
        QFETCH(bool, integersAsHex);
        QFETCH(QString, expected);
        QCOMPARE(formatCalculatedResult(value, integersAsHex, true), expected);
    }

    void localizesAndStandardizesBothWays_data() {
        QTest::addColumn<QString>("standard");
        QTest::addColumn<QString>("localized");
        QTest::newRow("separator and decimal mark kept apart") << "max(1.5, 2)"
                                                               << "max(1,5; 2)";
        QTest::newRow("several of each") << "f(0.25, 1.5, 3)"
                                         << "f(0,25; 1,5; 3)";
        QTest::newRow("neither") << "2*x+1"
                                 << "2*x+1";
        QTest::newRow("empty") << ""
                               << "";
    }
    void localizesAndStandardizesBothWays() {
        QFETCH(QString, standard);
        QFETCH(QString, localized);
        QCOMPARE(localizeString(standard, true), localized);
        QCOMPARE(standardizeString(localized, true), standard);
    }

    void decimalPointLeavesTextAlone_data() {
        QTest::addColumn<QString>("text");
        QTest::newRow("semicolon stays") << "max(1.5; 2)";
        QTest::newRow("comma stays") << "max(1.5, 2)";
    }
    void decimalPointLeavesTextAlone() {
        QFETCH(QString, text);
        QCOMPARE(localizeString(text, false), text);
        QCOMPARE(standardizeString(text, false), text);
    }
};

FIGURELLO_MODEL_TEST_MAIN(ResultFormatTest)

#include "resultformat_test.moc"
