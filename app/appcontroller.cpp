// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/appcontroller.h"

#include "window/mydocument.h"
#include "worksheet/worksheettype.h"

#include <QSettings>

namespace {

const QString kUpdateDependentsKey = QStringLiteral("Calculate/UpdateDependentAnswers");

} // namespace

AppController::AppController(const QLocale& locale, QObject* parent)
    : QObject(parent), mOptions(WorksheetOptions::forLocale(locale)),
      mDocumentType(worksheetDocumentType()) {
    mOptions.updatesDependents = QSettings().value(kUpdateDependentsKey, true).toBool();
}

std::unique_ptr<MyDocument> AppController::newDocument() {
    auto document = std::make_unique<MyDocument>(mOptions);
    connect(document.get(), &MyDocument::optionsChosen, this, &AppController::setOptions);
    mDocuments.removeAll(nullptr);
    mDocuments.append(document.get());
    return document;
}

void AppController::setOptions(const WorksheetOptions& options) {
    if (options.updatesDependents != mOptions.updatesDependents)
        QSettings().setValue(kUpdateDependentsKey, options.updatesDependents);
    mOptions = options;
    for (MyDocument* document : std::as_const(mDocuments))
        if (document)
            document->setOptions(options);
}
