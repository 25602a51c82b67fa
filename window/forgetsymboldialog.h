// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDialog>

class QComboBox;
class QLabel;
class QPushButton;

// The sheet that forgets a variable or a function: a window-modal dialog listing the names.
// Forget asks for the chosen one to be forgotten; with nothing to forget it says so instead.
class ForgetSymbolDialog : public QDialog {
    Q_OBJECT

public:
    explicit ForgetSymbolDialog(QWidget* parent);

    // Offers these names, of functions or of variables, each shown as its entry of `shown`
    // ("d = 5 km") where there is one.
    void offer(const QStringList& names, bool functions, const QStringList& shown = {});
    bool forgetsFunctions() const { return mFunctions; }
    // The chosen name; empty when there is none to choose.
    QString chosenName() const;
    QComboBox* popup() const { return mPopup; }

signals:
    void forgetChosen();

private:
    QLabel* mLabel;
    QComboBox* mPopup;
    QPushButton* mForget;
    bool mFunctions = false;
};
