// Printing the worksheet, and the same pages as a PDF file.

#include "document/mydocument.h"
#include "document/worksheeteditor.h"
#include "platform/documentwindow.h"
#include "platform/keyedtexts.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QLocale>
#include <QMessageBox>
#include <QPageLayout>
#include <QPdfWriter>
#include <QPrintDialog>
#include <QPrinter>
#include <QSaveFile>
#include <QStandardPaths>
#include <QTextDocument>

#include <memory>

namespace {

// Paper as the user's locale has it, with narrow margins: the text's own margin adds to them.
QPageLayout worksheetPageLayout() {
    const bool usPaper = QLocale().measurementSystem() == QLocale::ImperialUSSystem;
    return QPageLayout(QPageSize(usPaper ? QPageSize::Letter : QPageSize::A4),
                       QPageLayout::Portrait, QMarginsF(10, 10, 10, 10),
                       QPageLayout::Millimeter);
}

} // namespace

void MyDocument::addPrintCommands() {
    QAction* exportPdf = mDocWindow->addFileCommand(tr("&Export as PDF…"));
    connect(exportPdf, &QAction::triggered, this, &MyDocument::exportAsPdf);
    QAction* print = mDocWindow->addFileCommand(tr("&Print…"));
    print->setShortcut(QKeySequence::Print);
    connect(print, &QAction::triggered, this, &MyDocument::printDocument);
}

void MyDocument::printDocument() {
    auto printer = std::make_shared<QPrinter>(QPrinter::HighResolution);
    printer->setPageLayout(worksheetPageLayout());
    printer->setDocName(displayName());
    auto* dialog = new QPrintDialog(printer.get(), mDocWindow);
    dialog->setAttribute(Qt::WA_DeleteOnClose);
    // The dialog's connection keeps the printer alive for as long as the dialog lives.
    connect(dialog, &QDialog::accepted, this,
            [this, printer] { mTextView->document()->print(printer.get()); });
    dialog->open();
}

void MyDocument::exportAsPdf() {
    const QString folder =
        hasFileLocation()
            ? QFileInfo(filePath().isEmpty() ? originPath() : filePath()).absolutePath()
            : QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    QString path = QFileDialog::getSaveFileName(
        mDocWindow, tr("Export as PDF"),
        folder + '/' + QFileInfo(displayName()).completeBaseName() + QStringLiteral(".pdf"),
        platform::keyedText("PdfFilter"));
    if (path.isEmpty())
        return;
    if (QFileInfo(path).suffix().isEmpty())
        path += QStringLiteral(".pdf");
    QString error;
    if (writePdf(path, &error))
        return;
    auto* failure = new QMessageBox(QMessageBox::Warning, QCoreApplication::applicationName(),
                                    error, QMessageBox::Ok, mDocWindow);
    failure->setWindowModality(Qt::WindowModal);
    failure->setAttribute(Qt::WA_DeleteOnClose);
    failure->open();
}

bool MyDocument::writePdf(const QString& path, QString* error) const {
    // Written beside any old file and renamed over it only when complete.
    QSaveFile file(path);
    if (file.open(QIODevice::WriteOnly)) {
        {
            QPdfWriter pdf(&file);
            pdf.setPageLayout(worksheetPageLayout());
            pdf.setResolution(QPrinter(QPrinter::HighResolution).resolution());
            pdf.setTitle(displayName());
            pdf.setCreator(QCoreApplication::applicationName());
            mTextView->document()->print(&pdf);
        }
        if (file.error() == QFileDevice::NoError && file.commit())
            return true;
    }
    *error = platform::keyedText("CannotWrite").arg(QDir::toNativeSeparators(path),
                                                   file.errorString());
    return false;
}
