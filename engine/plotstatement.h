// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// A plot line, "plot(curve, …, from, to)": every argument before the last two is a curve, an
// expression of x read like the body of a function whose one parameter is x; the last two are
// the range of x, read with the state's names. A state that holds a "plot" of its own keeps it:
// there the line is an ordinary statement.

#include "engine/calcexception.h"
#include "engine/quantity.h"

#include <cstddef>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

struct SCalcState;

struct PlotCurveText {
    std::string text;       // as written, without the blanks around it
    std::size_t offset = 0; // where it begins in the line, in bytes
};

struct PlotStatement {
    std::vector<PlotCurveText> curves;
    double from = 0;
    double to = 0;
};

// Whether the line begins as a plot does, with "plot" and "(", whatever the names: for views
// that colour or recognise plot lines without a state.
bool BeginsAsPlot(std::string_view text);

// Whether the line is written as a plot, "plot(" … ")" with nothing after it, and the state
// leaves the word to the language.
bool IsPlotStatement(std::string_view text, const SCalcState& state);

// Reads a plot line, which IsPlotStatement accepts: its curves must read as expressions of x
// and its range must run from a number to a greater one. False, with why and the byte where
// reading stopped, when it cannot. Changes nothing in the state: a plot stores no "last".
bool ReadPlotStatement(std::string_view text, SCalcState& state, PlotStatement& plot,
                       Failure& failure, std::size_t& stop);

// One curve, evaluated at any x in a private scope of the state, so that the state's own x is
// left as it was. Every name it reads but x is the state's as it was when the curve was made.
class CurveOfX {
public:
    CurveOfX(const SCalcState& state, std::string text);
    ~CurveOfX();
    CurveOfX(const CurveOfX&) = delete;
    CurveOfX& operator=(const CurveOfX&) = delete;

    // The curve's number at x, in its unit; NaN where it has no value. An evaluation that fails
    // gives NaN too, and its failure is kept as the first one seen.
    double operator()(double x);
    // The unit of the values, as the first value had it; empty for plain numbers.
    const std::string& unit() const { return mUnit; }
    const Failure* firstFailure() const { return mFailed ? &mFirstFailure : nullptr; }

private:
    std::unique_ptr<SCalcState> mScope;
    std::string mText;
    std::string mUnit;
    bool mUnitSeen = false;
    bool mFailed = false;
    Failure mFirstFailure;
};
