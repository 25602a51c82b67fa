// SPDX-License-Identifier: GPL-3.0-or-later
#include "window/forgetsymboldialog.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

ForgetSymbolDialog::ForgetSymbolDialog(QWidget* parent)
    : QDialog(parent), mLabel(new QLabel(this)), mPopup(new QComboBox(this)) {
    setWindowModality(Qt::WindowModal);
    auto* layout = new QVBoxLayout(this);
    // Wide enough for its own title, whatever the names.
    layout->setSizeConstraint(QLayout::SetFixedSize);
    layout->addWidget(mLabel);
    layout->addWidget(mPopup);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Cancel, this);
    mForget = buttons->addButton(tr("Forget"), QDialogButtonBox::AcceptRole);
    mForget->setDefault(true);
    layout->addWidget(buttons);
    connect(buttons, &QDialogButtonBox::accepted, this, &ForgetSymbolDialog::forgetChosen);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
}

void ForgetSymbolDialog::offer(const QStringList& names, bool functions, const QStringList& shown) {
    mFunctions = functions;
    mPopup->clear();
    for (qsizetype i = 0; i < names.size(); ++i)
        mPopup->addItem(shown.value(i, names[i]), names[i]);
    setWindowTitle(functions ? tr("Forget Function") : tr("Forget Variable"));
    if (names.isEmpty())
        mLabel->setText(functions ? tr("This worksheet has no functions to forget.")
                                  : tr("This worksheet has no variables to forget."));
    else
        mLabel->setText(functions ? tr("Forget the function:") : tr("Forget the variable:"));
    mPopup->setAccessibleName(mLabel->text());
    // With nothing to forget there is nothing to confirm.
    mPopup->setVisible(!names.isEmpty());
    mForget->setVisible(!names.isEmpty());
    setMinimumWidth(fontMetrics().horizontalAdvance(windowTitle()) * 2);
}

QString ForgetSymbolDialog::chosenName() const {
    return mPopup->count() > 0 ? mPopup->currentData().toString() : QString();
}
