// SPDX-License-Identifier: GPL-3.0-or-later
#include "worksheet/worksheetcolours.h"

#include <QCoreApplication>
#include <QEvent>
#include <QGuiApplication>

#include <iterator>

namespace {

struct SchemeVariants {
    QRgb light; // on a light background
    QRgb dark;  // on a dark background
};

// In the order of WorksheetColour.
const SchemeVariants kColours[] = {
    {qRgb(0x00, 0x80, 0x1c), qRgb(0x5c, 0xd6, 0x70)}, // GoodResult
    {qRgb(0xc4, 0x1e, 0x1e), qRgb(0xff, 0x6b, 0x6b)}, // BadResult
    {qRgb(0x00, 0x5c, 0xc5), qRgb(0x79, 0xc0, 0xff)}, // Number
    {qRgb(0x80, 0x3f, 0xb0), qRgb(0xd2, 0xa8, 0xff)}, // Variable
    {qRgb(0xb3, 0x50, 0x00), qRgb(0xff, 0xa6, 0x57)}, // Function
    {qRgb(0x00, 0x7a, 0x80), qRgb(0x56, 0xd4, 0xdd)}, // Builtin
    {qRgb(0xcf, 0x22, 0x2e), qRgb(0xff, 0x7b, 0x72)}, // UnknownName
    {qRgb(0x4d, 0x6b, 0x00), qRgb(0xb5, 0xd9, 0x6a)}, // Unit
    {qRgb(0x7a, 0x7a, 0x7a), qRgb(0x8f, 0x8f, 0x8f)}, // OutOfDate
    {qRgb(0x1f, 0x5f, 0xbf), qRgb(0x6c, 0xb4, 0xff)}, // Curve1
    {qRgb(0xd0, 0x5a, 0x00), qRgb(0xff, 0xa0, 0x4d)}, // Curve2
    {qRgb(0x2e, 0x8b, 0x3e), qRgb(0x7e, 0xe0, 0x8a)}, // Curve3
    {qRgb(0xa8, 0x2b, 0x9c), qRgb(0xf0, 0x8c, 0xe6)}, // Curve4
};

static_assert(std::size(kColours) == int(WorksheetColour::Curve4) + 1);

} // namespace

bool isDarkPalette(const QPalette& palette) {
    return palette.color(QPalette::Base).lightness() < palette.color(QPalette::Text).lightness();
}

QColor worksheetColour(WorksheetColour colour, const QPalette& palette) {
    const SchemeVariants& variants = kColours[int(colour)];
    return QColor(isDarkPalette(palette) ? variants.dark : variants.light);
}

ColourSchemeWatcher::ColourSchemeWatcher(QObject* parent)
    : QObject(parent), mPalette(QGuiApplication::palette()) {
    QCoreApplication::instance()->installEventFilter(this);
}

bool ColourSchemeWatcher::eventFilter(QObject* watched, QEvent* event) {
    if (watched == QCoreApplication::instance() &&
        event->type() == QEvent::ApplicationPaletteChange) {
        const QPalette before = mPalette;
        mPalette = QGuiApplication::palette();
        if (isDarkPalette(before) != isDarkPalette(mPalette))
            emit schemeSwitched(before, mPalette);
    }
    return QObject::eventFilter(watched, event);
}
