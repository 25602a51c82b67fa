// SPDX-License-Identifier: GPL-3.0-or-later
#include "translations/installtranslations.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QTranslator>

namespace {

// Where the build puts the compiled translations, as resources.
const QString kOwnFolder = QStringLiteral(":/i18n");

// The application owns the translator once it is installed; one that finds nothing is dropped.
void installFirstFound(const QLocale& locale, const QString& name, const QString& folder) {
    auto* translator = new QTranslator(QCoreApplication::instance());
    if (translator->load(locale, name, QStringLiteral("_"), folder))
        QCoreApplication::installTranslator(translator);
    else
        delete translator;
}

} // namespace

void installTranslations(const QLocale& locale) {
    // Installed first, so asked last: the English plural forms are what any gap falls back on.
    installFirstFound(QLocale(QLocale::English), QStringLiteral("figurello"), kOwnFolder);
    if (locale.language() == QLocale::C)
        return;
    installFirstFound(locale, QStringLiteral("qtbase"),
                      QLibraryInfo::path(QLibraryInfo::TranslationsPath));
    installFirstFound(locale, QStringLiteral("figurello"), kOwnFolder);
}
