// SPDX-License-Identifier: GPL-3.0-or-later
// The translations: every text of every Qt Linguist file has its translation, and the one the
// locale chooses is what the window and the worksheet say.

#include "../window/worksheettestmain.h"
#include "platform/documentcontroller.h"
#include "platform/keyedtexts.h"
#include "translations/installtranslations.h"
#include "window/mydocument.h"
#include "window/worksheeteditor.h"
#include "worksheet/worksheet.h"
#include "worksheet/worksheettype.h"

#include <QDomDocument>
#include <QFile>
#include <QMainWindow>
#include <QMenuBar>
#include <QRegularExpression>
#include <QTranslator>

namespace {

// The placeholders of a text, in order: a translation may move them but not lose or add one.
QStringList placeholders(const QString& text) {
    static const QRegularExpression placeholder(QStringLiteral("%(?:\\d|n)"));
    QStringList found;
    for (const QRegularExpressionMatch& match : placeholder.globalMatch(text))
        found.append(match.captured());
    found.sort();
    return found;
}

// What is wrong with one message's translation, or nothing.
QString faultOf(const QDomElement& message) {
    const QString source = message.firstChildElement(QStringLiteral("source")).text();
    const QDomElement translation = message.firstChildElement(QStringLiteral("translation"));
    if (translation.hasAttribute(QStringLiteral("type")))
        return QStringLiteral("is %1").arg(translation.attribute(QStringLiteral("type")));
    QStringList forms;
    for (QDomElement form = translation.firstChildElement(QStringLiteral("numerusform"));
         !form.isNull(); form = form.nextSiblingElement(QStringLiteral("numerusform")))
        forms.append(form.text());
    if (forms.isEmpty())
        forms.append(translation.text());
    for (const QString& form : forms) {
        if (form.isEmpty())
            return QStringLiteral("has an empty translation");
        // A plural form may spell its count out ("1 Argument"), but every other number stays.
        QStringList wanted = placeholders(source);
        if (forms.size() > 1 && !form.contains(QLatin1String("%n")))
            wanted.removeAll(QStringLiteral("%n"));
        if (placeholders(form) != wanted)
            return QStringLiteral("has other placeholders: %1").arg(form);
        if (source.count(u'&') != form.count(u'&'))
            return QStringLiteral("has no accelerator like its source: %1").arg(form);
    }
    return QString();
}

} // namespace

class TranslationsTest : public QObject {
    Q_OBJECT

private slots:
    void cleanup() {
        // Each row starts from the untranslated application.
        qDeleteAll(qApp->findChildren<QTranslator*>(QString(), Qt::FindDirectChildrenOnly));
    }

    void everyTextIsTranslated_data() {
        QTest::addColumn<QString>("file");
        QTest::newRow("German") << "figurello_de.ts";
        QTest::newRow("English plural forms") << "figurello_en.ts";
    }
    void everyTextIsTranslated() {
        QFETCH(QString, file);
        QFile ts(QStringLiteral(TRANSLATIONS_DIR "/") + file);
        QVERIFY(ts.open(QIODevice::ReadOnly));
        QDomDocument translations;
        QVERIFY(translations.setContent(&ts));
        const QDomNodeList messages = translations.elementsByTagName(QStringLiteral("message"));
        QVERIFY(messages.size() > 0);
        QStringList faults;
        for (int i = 0; i < messages.size(); ++i) {
            const QDomElement message = messages.at(i).toElement();
            const QString fault = faultOf(message);
            if (!fault.isEmpty())
                faults.append(message.firstChildElement(QStringLiteral("source")).text() + u' ' +
                              fault);
        }
        QVERIFY2(faults.isEmpty(), qPrintable(faults.join(u'\n')));
    }

    // The C locale and a language without a translation stay English, with English plurals.
    void theLocaleChoosesTheLanguage_data() {
        QTest::addColumn<QLocale>("locale");
        QTest::addColumn<QString>("menu");
        QTest::addColumn<QString>("heading");
        QTest::addColumn<QString>("changed");
        QTest::addColumn<QString>("cancel");
        QTest::newRow("C") << QLocale::c() << "&File"
                           << "Defined variables:"
                           << "1 answer changed"
                           << "Cancel";
        QTest::newRow("German") << QLocale(QLocale::German, QLocale::Germany) << "&Datei"
                                << "Definierte Variablen:"
                                << "1 Ergebnis geändert"
                                << "Abbrechen";
        QTest::newRow("no translation") << QLocale(QLocale::Icelandic) << "&File"
                                        << "Defined variables:"
                                        << "1 answer changed"
                                        << "Cancel";
    }
    void theLocaleChoosesTheLanguage() {
        QFETCH(QLocale, locale);
        QFETCH(QString, menu);
        QFETCH(QString, heading);
        QFETCH(QString, changed);
        QFETCH(QString, cancel);
        installTranslations(locale);
        platform::DocumentController documents(worksheetDocumentType(),
                                               [] { return std::make_unique<MyDocument>(); });
        auto* worksheet = static_cast<MyDocument*>(documents.newDocument());
        QCOMPARE(worksheet->window()->menuBar()->actions().value(0)->text(), menu);
        QCOMPARE(worksheet->worksheet()->variablesListing().section(u'\n', 0, 0), heading);
        QCOMPARE(QCoreApplication::translate("Worksheet", "%n answer(s) changed", nullptr, 1),
                 changed);
        // Qt's own texts, such as the standard buttons of a question, follow the same locale.
        QCOMPARE(QCoreApplication::translate("QPlatformTheme", "Cancel"), cancel);
    }
};

FIGURELLO_WORKSHEET_TEST_MAIN(TranslationsTest)
#include "translations_test.moc"
