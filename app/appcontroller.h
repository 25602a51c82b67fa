// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/documenttype.h"
#include "worksheet/worksheetoptions.h"

#include <QList>
#include <QLocale>
#include <QObject>
#include <QPointer>

#include <memory>

class MyDocument;

// The application's controller: it makes every worksheet, with the options they share (the
// time limit, the decimal comma from the user's locale, whether dependent answers follow, kept
// across starts), and hands them all new options when the user changes one in any window.
class AppController : public QObject {
    Q_OBJECT

public:
    explicit AppController(const QLocale& locale = QLocale::system(), QObject* parent = nullptr);

    const platform::DocumentType& documentType() const { return mDocumentType; }
    const WorksheetOptions& options() const { return mOptions; }
    // A new worksheet with the options of now, told of every later change.
    std::unique_ptr<MyDocument> newDocument();
    void setOptions(const WorksheetOptions& options);

private:
    WorksheetOptions mOptions;
    platform::DocumentType mDocumentType;
    QList<QPointer<MyDocument>> mDocuments;
};
