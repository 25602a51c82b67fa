#include "rtftestsupport.h"

#include "platform/rtftokenizer.h"

#include <QTest>

using platform::rtf::RtfToken;
using platform::rtf::RtfTokenizer;

namespace {

QString describe(const RtfToken& token) {
    switch (token.kind) {
    case RtfToken::Kind::GroupStart:
        return QStringLiteral("{");
    case RtfToken::Kind::GroupEnd:
        return QStringLiteral("}");
    case RtfToken::Kind::ControlWord:
        return u'\\' + QString::fromLatin1(token.word) +
               (token.hasParameter ? QString::number(token.parameter) : QString());
    case RtfToken::Kind::ControlSymbol:
        return token.symbol == '\n' ? QStringLiteral("symbol(newline)")
                                    : QStringLiteral("symbol(%1)").arg(QChar(token.symbol));
    case RtfToken::Kind::HexByte:
        return QStringLiteral("byte(%1)").arg(token.byte, 2, 16, QChar(u'0'));
    case RtfToken::Kind::Text:
        return QStringLiteral("text(%1)").arg(QString::fromLatin1(token.data));
    case RtfToken::Kind::BinaryData:
        return QStringLiteral("binary(%1)")
            .arg(QString::fromLatin1(token.data.toByteArray().toHex()));
    case RtfToken::Kind::End:
        break;
    }
    return QStringLiteral("end");
}

// All tokens joined by spaces, or the error.
QString tokenize(const QByteArray& input, bool* ok) {
    RtfTokenizer tokenizer(input);
    QStringList tokens;
    RtfToken token;
    QString error;
    *ok = true;
    while (tokenizer.next(token, error)) {
        if (token.kind == RtfToken::Kind::End)
            return tokens.join(u' ');
        tokens << describe(token);
    }
    *ok = false;
    return error;
}

} // namespace

class RtfTokenizerTest : public QObject {
    Q_OBJECT

private slots:
    void splitsTokens_data() {
        QTest::addColumn<QByteArray>("input");
        QTest::addColumn<QString>("tokens");

        QTest::newRow("word with parameter, space delimiter consumed")
            << QByteArray("\\fs24 x") << "\\fs24 text(x)";
        QTest::newRow("only the first space after a word is a delimiter")
            << QByteArray("\\b  x") << "\\b text( x)";
        QTest::newRow("negative parameter") << QByteArray("\\u-10179?") << "\\u-10179 text(?)";
        QTest::newRow("hyphen without digits belongs to the text")
            << QByteArray("\\fs-x") << "\\fs text(-x)";
        QTest::newRow("word ends at a non-letter")
            << QByteArray("\\par\\pard;") << "\\par \\pard text(;)";
        QTest::newRow("largest parameter") << QByteArray("\\fs2147483647") << "\\fs2147483647";
        QTest::newRow("most negative accepted parameter")
            << QByteArray("\\fs-2147483647") << "\\fs-2147483647";
        QTest::newRow("leading zeros do not make a number large")
            << QByteArray("\\fs000000000000024") << "\\fs24";
        QTest::newRow("groups and escaped braces")
            << QByteArray("{a\\{\\}\\\\}") << "{ text(a) symbol({) symbol(}) symbol(\\) }";
        QTest::newRow("hex byte, either case") << QByteArray("\\'e9\\'E9") << "byte(e9) byte(e9)";
        QTest::newRow("backslash before LF and before CR")
            << QByteArray("a\\\nb\\\rc")
            << "text(a) symbol(newline) text(b) symbol(newline) text(c)";
        QTest::newRow("line breaks in the source are not text")
            << QByteArray("ab\r\ncd\n") << "text(ab) text(cd)";
        QTest::newRow("star marks an ignorable destination")
            << QByteArray("{\\*\\foo x}") << "{ symbol(*) \\foo text(x) }";
        QTest::newRow("binary data is taken whole, braces included")
            << QByteArray("\\bin3 {}\\x") << "binary(7b7d5c) text(x)";
        QTest::newRow("bin without a parameter is a plain word")
            << QByteArray("\\bin x") << "\\bin text(x)";
        QTest::newRow("32-letter word")
            << QByteArray("\\" + QByteArray(32, 'a')) << "\\" + QString(32, u'a');
    }

    void splitsTokens() {
        QFETCH(QByteArray, input);
        QFETCH(QString, tokens);
        bool ok = false;
        QCOMPARE(tokenize(input, &ok), tokens);
        QVERIFY(ok);
    }

    void rejectsBrokenSyntax_data() {
        QTest::addColumn<QByteArray>("input");
        QTest::addColumn<QString>("errorMentions");

        QTest::newRow("backslash at the very end") << QByteArray("abc\\") << "cut off";
        QTest::newRow("hex escape cut off") << QByteArray("\\'4") << "cut off";
        QTest::newRow("hex escape without digits") << QByteArray("\\'zz") << "hexadecimal";
        QTest::newRow("hex escape with one digit") << QByteArray("\\'4g") << "hexadecimal";
        QTest::newRow("33-letter word") << QByteArray("\\" + QByteArray(33, 'a')) << "longer";
        QTest::newRow("parameter one past the int range")
            << QByteArray("\\fs2147483648") << "too large";
        QTest::newRow("negative parameter past the int range")
            << QByteArray("\\u-2147483648") << "too large";
        QTest::newRow("parameter with a hundred digits")
            << QByteArray("\\fs" + QByteArray(100, '9')) << "too large";
        QTest::newRow("binary data shorter than declared") << QByteArray("\\bin5 ab") << "cut off";
        QTest::newRow("binary data far beyond the end")
            << QByteArray("\\bin2147483647 ab") << "cut off";
        QTest::newRow("negative binary length") << QByteArray("\\bin-1 ab") << "negative";
    }

    void rejectsBrokenSyntax() {
        QFETCH(QByteArray, input);
        QFETCH(QString, errorMentions);
        bool ok = true;
        const QString error = tokenize(input, &ok);
        QVERIFY(!ok);
        QVERIFY2(error.contains(errorMentions), qPrintable(error));
        QVERIFY2(error.contains(QStringLiteral("at byte")), qPrintable(error));
    }
};

std::unique_ptr<QObject> rtftest::makeTokenizerTest() {
    return std::make_unique<RtfTokenizerTest>();
}

#include "rtftokenizer_test.moc"
