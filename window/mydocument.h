// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/document.h"
#include "worksheet/worksheetoptions.h"

#include <QByteArray>
#include <QString>

class QMainWindow;
class Worksheet;
class WorksheetWindow;

// One worksheet as the document framework knows it: reading and writing its file, making its
// window, its edited state and the question before it closes. The worksheet itself, with or
// without the window, is worksheet().
class MyDocument : public platform::Document {
    Q_OBJECT

public:
    explicit MyDocument(const WorksheetOptions& options = WorksheetOptions());
    ~MyDocument() override;

    Worksheet* worksheet() const { return mWorksheet; }
    // Its window, once made.
    WorksheetWindow* worksheetWindow() const { return mWindow; }

    bool readFromData(const QByteArray& data, const QString& typeName, QString* error) override;
    QByteArray dataOfType(const QString& typeName, QString* error) override;
    void makeWindowControllers() override;
    QMainWindow* window() const override;
    bool isDocumentEdited() const override;
    void setDocumentEdited(bool edited) override;
    // A worksheet with a file asks about unsaved changes; an untitled one closes at once.
    bool canCloseDocument(const std::function<bool()>& standardCloseCheck) override;
    // The first line with text on it.
    QString summary() const override;

    // Saves this worksheet as the template new worksheets start from; false, with the reason,
    // when it cannot.
    bool writeAsTemplate(QString* error);

    // The options its owner hands every worksheet.
    void setOptions(const WorksheetOptions& options);

signals:
    // The user chose other options in this worksheet's window, for every worksheet.
    void optionsChosen(const WorksheetOptions& options);

private:
    Worksheet* mWorksheet;
    WorksheetWindow* mWindow = nullptr;
};
