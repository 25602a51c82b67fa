// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// A chart in the text: one object character whose format holds the plot, drawn by a handler
// of the text's layout. It is part of the text like any character: it wraps, is selected, cut,
// pasted and undone with it.

#include "worksheet/plotanswer.h"

#include <QCache>
#include <QObject>
#include <QPixmap>
#include <QTextCharFormat>
#include <QTextObjectInterface>

#include <memory>

class QTextDocument;

Q_DECLARE_METATYPE(PlotAnswerPtr)

inline constexpr int kChartObjectType = QTextFormat::UserObject + 1;
inline constexpr int kChartProperty = QTextFormat::UserProperty + 1;

// The format of the chart's character: `base` (the answer's font and colour) holding the plot.
QTextCharFormat chartFormat(const PlotAnswerPtr& plot, const QTextCharFormat& base);
// The plot a chart's format holds; null for any other format.
PlotAnswerPtr chartOf(const QTextFormat& format);

// Draws the charts of one text, from a cache of pictures on the screen and in vectors on
// anything else (a printer, a PDF). Owned by the text's layout.
class ChartObject : public QObject, public QTextObjectInterface {
    Q_OBJECT
    Q_INTERFACES(QTextObjectInterface)

public:
    // The handler of the text's layout, made on first call.
    static ChartObject* of(QTextDocument* text);

    // Tick labels follow the worksheet's decimal mark.
    void setCommaIsDecimal(bool commaIsDecimal);
    bool commaIsDecimal() const { return mCommaIsDecimal; }

    QSizeF intrinsicSize(QTextDocument* text, int position, const QTextFormat& format) override;
    void drawObject(QPainter* painter, const QRectF& rect, QTextDocument* text, int position,
                    const QTextFormat& format) override;

    // The chart's size for a text laid out for `dpi` dots per inch and `width` wide.
    static QSizeF chartSize(double dpi, double textWidth);
    // The font of the chart's labels: a little smaller than the answer's, for `dpi`.
    static QFont labelFont(const QTextFormat& format, double dpi);
    // The chart's picture as it would be drawn at `dpi` in the palette, `size` in pixels.
    QImage picture(const QTextFormat& format, const QSize& size, double dpi,
                   const QPalette& palette) const;

private:
    explicit ChartObject(QObject* parent);
    struct CachedPicture {
        std::weak_ptr<const PlotAnswer> plot;
        QPixmap picture;
    };
    bool mCommaIsDecimal = false;
    QCache<QString, CachedPicture> mPictures;
};
