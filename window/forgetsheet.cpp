// The forget sheet of a worksheet window: a window-modal dialog listing the variables or the
// functions; OK makes the worksheet's state forget the chosen one.

#include "window/forgetsymboldialog.h"
#include "window/mydocument.h"
#include "worksheet/symbollisting.h"
#include "window/worksheetwindow.h"
#include "engine/calcengine.h"

void MyDocument::forgetVariable() { openForgetSheet(false); }

void MyDocument::forgetFunction() { openForgetSheet(true); }

void MyDocument::openForgetSheet(bool function) {
    if (!mDocWindow)
        return;
    ForgetSymbolDialog* sheet = mDocWindow->forgetDialog();
    sheet->offer(
        sortedSymbolNames(*calcState(), function ? SymbolKind::kFunction : SymbolKind::kVariable),
        function);
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
    const SymbolKind kind = function ? SymbolKind::kFunction : SymbolKind::kVariable;
    if (CalcStatePtr rebuilt = CalcStateWithout(*calcState(), kind, name.toStdString()))
        adoptState(std::move(rebuilt));
}

void MyDocument::forgetSheetCancel() { mDocWindow->forgetDialog()->reject(); }

QDialog* MyDocument::forgetSheet() const { return mDocWindow->forgetDialog(); }

QComboBox* MyDocument::forgetPopup() const { return mDocWindow->forgetDialog()->popup(); }
