// SPDX-License-Identifier: GPL-3.0-or-later
#include "worksheet/answercolours.h"

#include "worksheet/chartobject.h"

#include "worksheet/statementwords.h"
#include "worksheet/worksheetcolours.h"

#include <QGuiApplication>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>

#include <utility>
#include <vector>

namespace {

const WorksheetColour kResultColours[] = {WorksheetColour::GoodResult, WorksheetColour::BadResult};

struct Recolouring {
    int start;
    int end;
    QColor colour;
};

} // namespace

void recolourAnswers(QTextDocument* document, const QPalette& from, const QPalette& to) {
    std::vector<std::pair<QColor, QColor>> changes;
    for (WorksheetColour colour : kResultColours) {
        const QColor old = worksheetColour(colour, from);
        const QColor now = worksheetColour(colour, to);
        if (old != now)
            changes.emplace_back(old, now);
    }
    if (changes.empty())
        return;

    // Collected first: changing a fragment's format can merge it with its neighbours.
    std::vector<Recolouring> recolourings;
    for (QTextBlock block = document->begin(); block.isValid(); block = block.next()) {
        for (auto it = block.begin(); !it.atEnd(); ++it) {
            const QTextFragment fragment = it.fragment();
            const QTextCharFormat format = fragment.charFormat();
            if (!format.hasProperty(QTextFormat::ForegroundBrush) ||
                format.foreground().style() != Qt::SolidPattern)
                continue;
            for (const auto& [old, now] : changes)
                if (format.foreground().color() == old)
                    recolourings.push_back(
                        {fragment.position(), fragment.position() + fragment.length(), now});
        }
    }
    if (recolourings.empty())
        return;

    const bool wasModified = document->isModified();
    // One undo step for the lot. Qt cannot add to its history without recording the change,
    // but with nothing to undo before it, the step is dropped again below and costs nothing.
    const bool hadUndo = document->isUndoAvailable();
    QTextCursor cursor(document);
    cursor.beginEditBlock();
    for (const Recolouring& recolouring : recolourings) {
        cursor.setPosition(recolouring.start);
        cursor.setPosition(recolouring.end, QTextCursor::KeepAnchor);
        QTextCharFormat colour;
        colour.setForeground(recolouring.colour);
        cursor.mergeCharFormat(colour);
    }
    cursor.endEditBlock();
    if (!hadUndo)
        document->clearUndoRedoStacks(QTextDocument::UndoStack);
    document->setModified(wasModified);
}

void adoptColourScheme(QTextDocument* document) {
    // A worksheet keeps the colours of the scheme it was saved in; shown in the other, its
    // answers would be dark green on dark grey, or pale on white.
    const QPalette now = QGuiApplication::palette();
    QPalette other = now;
    const bool dark = isDarkPalette(now);
    other.setColor(QPalette::Base, dark ? Qt::white : QColor(30, 30, 30));
    other.setColor(QPalette::Text, dark ? Qt::black : QColor(230, 230, 230));
    recolourAnswers(document, other, now);
}

QTextCharFormat answerFormat(QTextCharFormat text, const QTextCharFormat& attributes) {
    text.clearForeground();
    // A chart's font and colour pass to the answer after it, not what makes it a chart.
    text.clearProperty(QTextFormat::ObjectType);
    text.clearProperty(kChartProperty);
    text.merge(attributes);
    return text;
}

bool isWrittenAnswer(const QTextBlock& line) {
    if (!line.isValid() || line.text().isEmpty() || isCalculatedLine(line.text()))
        return false;
    const QPalette palette = QGuiApplication::palette();
    const QColor good = worksheetColour(WorksheetColour::GoodResult, palette);
    const QColor bad = worksheetColour(WorksheetColour::BadResult, palette);
    for (auto it = line.begin(); !it.atEnd(); ++it) {
        const QTextCharFormat format = it.fragment().charFormat();
        if (!format.hasProperty(QTextFormat::ForegroundBrush))
            return false;
        const QColor colour = format.foreground().color();
        if (colour != good && colour != bad)
            return false;
    }
    return true;
}
