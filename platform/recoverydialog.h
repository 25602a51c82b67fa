// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDateTime>
#include <QDialog>
#include <QList>
#include <QString>

class QPushButton;
class QTreeWidget;

namespace platform {

// A document found after a crash, as the user is shown it.
struct RecoveryOffer {
    // The name its window will have once restored.
    QString title;
    QString firstLine;
    QDateTime savedAt;
};

// One question for everything an earlier run left unsaved: the documents, each with its title and
// first line, and Restore All, Restore Selected or Discard.
class RecoveryDialog : public QDialog {
    Q_OBJECT

public:
    enum class Choice { RestoreAll, RestoreSelected, Discard };

    explicit RecoveryDialog(const QList<RecoveryOffer>& offers, QWidget* parent = nullptr);

    QTreeWidget* documentList() const { return mList; }
    QPushButton* button(Choice choice) const;
    // The rows to restore, in list order, once a button was pressed; none for Discard or when the
    // dialog was closed another way.
    QList<int> chosenRows() const { return mChosen; }

    // Runs the dialog; the rows to restore.
    static QList<int> ask(const QList<RecoveryOffer>& offers);

private:
    void choose(Choice choice);

    QTreeWidget* mList;
    QPushButton* mRestoreAll;
    QPushButton* mRestoreSelected;
    QPushButton* mDiscard;
    QList<int> mChosen;
};

} // namespace platform
