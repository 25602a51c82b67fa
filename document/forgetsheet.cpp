// The forget sheet of a worksheet window: a window-modal dialog listing the variables or the
// functions; OK makes the worksheet's state forget the chosen one.

#include "document/forgetting.h"
#include "document/mydocument.h"
#include "document/symbollisting.h"
#include "engine/calcengine.h"
#include "engine/dictionaries.h"
#include "platform/documentwindow.h"

#include <QComboBox>
#include <QDialog>
#include <QDialogButtonBox>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

void MyDocument::buildForgetSheet() {
    oForgetSymbolSheet = new QDialog(mDocWindow);
    oForgetSymbolSheet->setWindowModality(Qt::WindowModal);
    auto* layout = new QVBoxLayout(oForgetSymbolSheet);
    auto* label = new QLabel(oForgetSymbolSheet);
    label->setObjectName(QStringLiteral("forgetLabel"));
    layout->addWidget(label);
    oForgetSymbolPopup = new QComboBox(oForgetSymbolSheet);
    layout->addWidget(oForgetSymbolPopup);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Cancel, oForgetSymbolSheet);
    mForgetButton = buttons->addButton(tr("Forget"), QDialogButtonBox::AcceptRole);
    mForgetButton->setDefault(true);
    layout->addWidget(buttons);
    connect(buttons, &QDialogButtonBox::accepted, this, &MyDocument::forgetSheetOK);
    connect(buttons, &QDialogButtonBox::rejected, this, &MyDocument::forgetSheetCancel);
}

void MyDocument::forgetVariable() { openForgetSheet(false); }

void MyDocument::forgetFunction() { openForgetSheet(true); }

void MyDocument::openForgetSheet(bool function) {
    if (!oForgetSymbolSheet)
        buildForgetSheet();
    mForgettingFunction = function;
    const std::optional<plist::Dictionary> symbols =
        function ? CopyFunctionsDictionary(*calcState()) : CopyVariablesDictionary(*calcState());
    oForgetSymbolPopup->clear();
    if (symbols)
        oForgetSymbolPopup->addItems(sortedSymbolNames(*symbols));
    oForgetSymbolSheet->findChild<QLabel*>(QStringLiteral("forgetLabel"))
        ->setText(function ? tr("Forget the function:") : tr("Forget the variable:"));
    oForgetSymbolSheet->setWindowTitle(function ? tr("Forget Function") : tr("Forget Variable"));
    // With nothing to forget there is nothing to confirm.
    mForgetButton->setEnabled(oForgetSymbolPopup->count() > 0);
    oForgetSymbolSheet->open();
}

void MyDocument::forgetSheetOK() {
    if (oForgetSymbolPopup->count() > 0)
        forgetSymbol(oForgetSymbolPopup->currentText(), mForgettingFunction);
    oForgetSymbolSheet->accept();
}

void MyDocument::forgetSymbol(const QString& name, bool function) {
    if (isCalculating())
        return;
    // The tool is started again from the new state, so the name no longer calculates.
    if (SCalcState* rebuilt = StateWithout(*calcState(), name.toStdString(), function))
        adoptState(rebuilt);
}

void MyDocument::forgetSheetCancel() { oForgetSymbolSheet->reject(); }
