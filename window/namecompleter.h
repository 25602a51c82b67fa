// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QObject>
#include <QStringList>

#include <functional>

class QCompleter;
class QStringListModel;
class QTextEdit;

// Offers the known names that start with the letters typed before the insertion point: the
// worksheet's variables and functions and the built-ins, and after a number or a conversion's
// "in" or "to" the units too. Tab or Return takes the highlighted
// name, Escape dismisses the list; neither reaches the text. Return on a name already typed out
// in full (the list offering longer ones besides) calculates the line as usual.
class NameCompleter : public QObject {
    Q_OBJECT

public:
    explicit NameCompleter(QTextEdit* editor);

    // Where the worksheet's own names come from; asked only when the list is about to open
    // after they changed, so that calculating never waits for it. The built-ins are always
    // offered.
    void setNameSource(std::function<QStringList()> source);
    void namesChanged() { mStale = true; }
    QCompleter* completer() const { return mCompleter; }
    bool isOffering() const;

    // Called after each keystroke the editor handled: opens, narrows or closes the list.
    void textTyped();

    // Letters a name must start with before the list opens on its own.
    static constexpr int kMinimumPrefix = 2;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QString wordBeforeCursor() const;
    // Whether the word being typed follows a number ("5 km") or a conversion ("in mi").
    bool unitMayFollow() const;
    void setNames(const QStringList& names);
    void insertCompletion(const QString& name);

    QTextEdit* mEditor;
    QCompleter* mCompleter;
    QStringListModel* mModel;
    QStringList mBuiltins;
    QStringList mUnits;
    QStringList mNames;
    bool mOfferingUnits = false;
    std::function<QStringList()> mNameSource;
    bool mStale = false;
};
