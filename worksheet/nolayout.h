// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QAbstractTextDocumentLayout>

// A layout that lays nothing out. A text tells of its edits (contentsChange) only while it has
// a layout, and laying out a worksheet nobody sees would cost as much as calculating it: a
// worksheet without a view keeps this one, and a view puts a real one in its place.
class NoLayout : public QAbstractTextDocumentLayout {
public:
    explicit NoLayout(QTextDocument* text) : QAbstractTextDocumentLayout(text) {}

    void draw(QPainter*, const PaintContext&) override {}
    int hitTest(const QPointF&, Qt::HitTestAccuracy) const override { return -1; }
    int pageCount() const override { return 1; }
    QSizeF documentSize() const override { return {}; }
    QRectF frameBoundingRect(QTextFrame*) const override { return {}; }
    QRectF blockBoundingRect(const QTextBlock&) const override { return {}; }

protected:
    void documentChanged(int, int, int) override {}
};
