// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "plist/value.h"

#include <QList>

#include <optional>

class Worksheet;
class QTextDocument;
struct SCalcState;

// A state's variables and functions, as a snapshot to go back to.
struct StateSymbols {
    std::optional<plist::Dictionary> variables;
    std::optional<plist::Dictionary> functions;
    std::optional<plist::Dictionary> units;
};
StateSymbols symbolsOf(const SCalcState& state);

// Records in the text's undo history, in the edit block the caller holds open, that the
// worksheet's state went from `before` to what it is now: undoing that edit brings `before`
// back, and redoing it the state of now, each time with a tool started from it. What the state
// is now is taken only when the edit is undone. The answer lines `answers` (by block number)
// were calculated by the edit; undoing it marks those of them out of date that were before.
// A text without an undo history records nothing.
void recordStateStep(QTextDocument& text, Worksheet& worksheet, StateSymbols before,
                     QList<int> answers, QList<int> outOfDateBefore);
