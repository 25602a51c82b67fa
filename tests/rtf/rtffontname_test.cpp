// SPDX-License-Identifier: GPL-3.0-or-later
#include "rtftestsupport.h"

#include "rtf/rtffontname.h"

#include <QTest>

namespace rtf {

char* toString(const FontFace& face) {
    return QTest::toString(QStringLiteral("\"%1\"%2%3")
                               .arg(face.family, face.bold ? QStringLiteral(" bold") : QString(),
                                    face.italic ? QStringLiteral(" italic") : QString()));
}

} // namespace rtf

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
        QTest::newRow("vendor mark on a plain name") << "ArialMT"
                                                     << "Arial" << false << false;
        QTest::newRow("vendor marks on both parts, known spacing")
            << "TimesNewRomanPS-BoldItalicMT"
            << "Times New Roman" << true << true;
        QTest::newRow("known family without a hyphen") << "LucidaGrande"
                                                       << "Lucida Grande" << false << false;
        QTest::newRow("weight word dropped, not bold") << "HelveticaNeue-Light"
                                                       << "Helvetica Neue" << false << false;
        QTest::newRow("semibold counts as bold; acronym spaced") << "SFMono-Semibold"
                                                                 << "SF Mono" << true << false;
        QTest::newRow("camel case spaced") << "SourceCodePro-Italic"
                                           << "Source Code Pro" << false << true;
        QTest::newRow("camel case that is not a word break") << "DejaVuSans-Bold"
                                                             << "DejaVu Sans" << true << false;
        QTest::newRow("family with spaces unchanged, style-like word kept")
            << "Arial Black"
            << "Arial Black" << false << false;
        QTest::newRow("hyphen before a word that is not a style stays")
            << "SourceCodePro-It"
            << "SourceCodePro-It" << false << false;
        QTest::newRow("camel-case family without PostScript marks unchanged")
            << "FreeSans"
            << "FreeSans" << false << false;
        QTest::newRow("system font means the default family") << ".AppleSystemUIFont"
                                                              << "" << false << false;
        QTest::newRow("trailing hyphen") << "Menlo-"
                                         << "Menlo-" << false << false;
    }

    void mapsNames() {
        QFETCH(QString, name);
        QFETCH(QString, family);
        QFETCH(bool, bold);
        QFETCH(bool, italic);
        const rtf::FontFace expected{family, bold, italic};
        QCOMPARE(rtf::fontFaceFromRtfName(name), expected);
    }
};

QTEST_MAIN(RtfFontNameTest)

#include "rtffontname_test.moc"
