#pragma once

#include "worksheet/worksheetsettings.h"
#include "worksheet/worksheettype.h"

#include <QLocale>
#include <QObject>

// The application's controller: made once at start-up, before any document, it provides the
// settings every worksheet shares (answer colours, the time limit, the decimal comma), read from
// the user's locale and palette, and the worksheet's file type for the document framework.
class AppController : public QObject {
    Q_OBJECT

public:
    explicit AppController(const QLocale& locale = QLocale::system(), QObject* parent = nullptr)
        : QObject(parent), mSettings(locale), mDocumentType(worksheetDocumentType()) {}

    const WorksheetSettings& settings() const { return mSettings; }
    const platform::DocumentType& documentType() const { return mDocumentType; }

private:
    WorksheetSettings mSettings;
    platform::DocumentType mDocumentType;
};
