// The forget sheet of a worksheet window: a window-modal dialog listing the variables or the
// functions; OK makes the worksheet's state forget the chosen one.

#include "document/forgetsymboldialog.h"
#include "document/forgetting.h"
#include "document/mydocument.h"
#include "document/symbollisting.h"
#include "document/worksheetwindow.h"
#include "engine/calcengine.h"
#include "engine/dictionaries.h"

void MyDocument::forgetVariable() { openForgetSheet(false); }

void MyDocument::forgetFunction() { openForgetSheet(true); }

void MyDocument::openForgetSheet(bool function) {
    if (!mDocWindow)
        return;
    const std::optional<plist::Dictionary> symbols =
        function ? CopyFunctionsDictionary(*calcState()) : CopyVariablesDictionary(*calcState());
    ForgetSymbolDialog* sheet = mDocWindow->forgetDialog();
    sheet->offer(symbols ? sortedSymbolNames(*symbols) : QStringList(), function);
    sheet->open();
}

void MyDocument::forgetSheetOK() {
    ForgetSymbolDialog* sheet = mDocWindow->forgetDialog();
    if (!sheet->chosenName().isEmpty())
        forgetSymbol(sheet->chosenName(), sheet->forgetsFunctions());
    sheet->accept();
}

void MyDocument::forgetSymbol(const QString& name, bool function) {
    if (isCalculating())
        return;
    // The tool is started again from the new state, so the name no longer calculates.
    if (SCalcState* rebuilt = StateWithout(*calcState(), name.toStdString(), function))
        adoptState(rebuilt);
}

void MyDocument::forgetSheetCancel() { mDocWindow->forgetDialog()->reject(); }

QDialog* MyDocument::forgetSheet() const { return mDocWindow->forgetDialog(); }

QComboBox* MyDocument::forgetPopup() const { return mDocWindow->forgetDialog()->popup(); }
