#pragma once

class MyDocument;
class QTextDocument;
struct SCalcState;

// A new state made from the old one's variables and functions; null when memory runs out.
SCalcState* copyOfState(const SCalcState& state);

// The worksheet takes the new state, and the text's undo history records the change in the
// edit block the caller holds open: undoing that edit brings the state before it back, and
// redoing it the new one, each time with a tool started from it.
void recordStateStep(QTextDocument& text, MyDocument& document, SCalcState* after);
