// Printing the worksheet, and the same pages as a PDF file.

#include "document/mydocument.h"
#include "document/worksheetprinting.h"
#include "document/worksheetwindow.h"

void MyDocument::printDocument() {
    if (mDocWindow)
        mDocWindow->print();
}

void MyDocument::exportAsPdf() {
    if (mDocWindow)
        mDocWindow->exportAsPdf();
}

bool MyDocument::writePdf(const QString& path, QString* error) const {
    return writeWorksheetPdf(*textDocument(), path, displayName(), error);
}
