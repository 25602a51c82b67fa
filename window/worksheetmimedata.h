// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QMimeData>
#include <QTextDocumentFragment>

// What a worksheet copies: the text, and where it holds charts, for a paste into a worksheet of
// this application, the fragment itself. Other applications see the text and the picture.
class WorksheetMimeData : public QMimeData {
    Q_OBJECT

public:
    void setFragment(const QTextDocumentFragment& fragment) { mFragment = fragment; }
    const QTextDocumentFragment& fragment() const { return mFragment; }

private:
    QTextDocumentFragment mFragment;
};
