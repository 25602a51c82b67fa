#include "rtftestsupport.h"

#include "platform/rtffontname.h"

#include <QTest>

using platform::rtf::fontFaceFromRtfName;

class RtfFontNameTest : public QObject {
    Q_OBJECT

private slots:
    void mapsNames_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("family");
        QTest::addColumn<bool>("bold");
        QTest::addColumn<bool>("italic");

        QTest::newRow("regular face") << "Menlo-Regular"
                                      << "Menlo" << false << false;
        QTest::newRow("bold face") << "Helvetica-Bold"
                                   << "Helvetica" << true << false;
        QTest::newRow("oblique is italic") << "Helvetica-Oblique"
                                           << "Helvetica" << false << true;
        QTest::newRow("bold oblique") << "Courier-BoldOblique"
                                      << "Courier" << true << true;
        QTest::newRow("roman is regular") << "Times-Roman"
                                          << "Times" << false << false;
        QTest::newRow("bold italic") << "Times-BoldItalic"
                                     << "Times" << true << true;
        QTest::newRow("MT suffix on a plain name") << "ArialMT"
                                                   << "Arial" << false << false;
        QTest::newRow("MT suffix on the style") << "Arial-BoldItalicMT"
                                                << "Arial" << true << true;
        QTest::newRow("PS and MT suffixes, spaced family") << "TimesNewRomanPS-BoldMT"
                                                           << "Times New Roman" << true << false;
        QTest::newRow("PSMT suffix") << "TimesNewRomanPSMT"
                                     << "Times New Roman" << false << false;
        QTest::newRow("known family without a hyphen") << "LucidaGrande"
                                                       << "Lucida Grande" << false << false;
        QTest::newRow("weight word is dropped, not bold") << "HelveticaNeue-Light"
                                                          << "Helvetica Neue" << false << false;
        QTest::newRow("semibold counts as bold") << "SFMono-Semibold"
                                                 << "SF Mono" << true << false;
        QTest::newRow("unknown style abbreviation keeps the whole name")
            << "SourceCodePro-It"
            << "SourceCodePro-It" << false << false;
        QTest::newRow("camel case with style") << "SourceCodePro-Italic"
                                               << "Source Code Pro" << false << true;
        QTest::newRow("family whose camel case is not a word break")
            << "DejaVuSans-Bold"
            << "DejaVu Sans" << true << false;
        QTest::newRow("plain family unchanged") << "Helvetica"
                                                << "Helvetica" << false << false;
        QTest::newRow("family with spaces unchanged") << "Times New Roman"
                                                      << "Times New Roman" << false << false;
        QTest::newRow("spaced family with a style-like word unchanged")
            << "Arial Black"
            << "Arial Black" << false << false;
        QTest::newRow("hyphen that is not a style stays") << "Noto-Whatever"
                                                          << "Noto-Whatever" << false << false;
        QTest::newRow("camel case family without PostScript marks unchanged")
            << "FreeSans"
            << "FreeSans" << false << false;
        QTest::newRow("surrounding space trimmed") << "  Menlo "
                                                   << "Menlo" << false << false;
        QTest::newRow("system font means the default family") << ".AppleSystemUIFont"
                                                              << "" << false << false;
        QTest::newRow("empty name") << ""
                                    << "" << false << false;
        QTest::newRow("bare hyphen") << "-"
                                     << "-" << false << false;
        QTest::newRow("trailing hyphen") << "Menlo-"
                                         << "Menlo-" << false << false;
    }

    void mapsNames() {
        QFETCH(QString, name);
        QFETCH(QString, family);
        QFETCH(bool, bold);
        QFETCH(bool, italic);
        const auto face = fontFaceFromRtfName(name);
        QCOMPARE(face.family, family);
        QCOMPARE(face.bold, bold);
        QCOMPARE(face.italic, italic);
    }
};

std::unique_ptr<QObject> rtftest::makeFontNameTest() { return std::make_unique<RtfFontNameTest>(); }

#include "rtffontname_test.moc"
