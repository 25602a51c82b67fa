// SPDX-License-Identifier: GPL-3.0-or-later
#include "calctool/plotreply.h"

#include "calctool/reply.h"
#include "calctool/replykeys.h"
#include "chart/sampling.h"
#include "engine/calcengine.h"
#include "engine/plotstatement.h"
#include "plist/xmlwriter.h"

#include <bit>
#include <cmath>
#include <cstdint>
#include <cstring>

namespace {

static_assert(std::endian::native == std::endian::little, "samples are sent as they lie");

plist::Value RealsAsData(const std::vector<chart::Point>& points, double chart::Point::*member) {
    plist::Data data;
    data.bytes.resize(points.size() * sizeof(double));
    std::uint8_t* at = data.bytes.data();
    for (const chart::Point& point : points) {
        const double value = point.*member;
        std::memcpy(at, &value, sizeof value);
        at += sizeof value;
    }
    return plist::Value(std::move(data));
}

plist::Value CurveReply(const PlotCurveText& curve, const chart::SampledCurve& samples,
                        const std::vector<double>& zeros, const std::string& unit) {
    plist::Dictionary reply;
    reply.emplace(replykey::kExpression, plist::Value(curve.text));
    plist::Data joined;
    joined.bytes.assign(samples.joined.begin(), samples.joined.end());
    reply.emplace(replykey::kJoined, plist::Value(std::move(joined)));
    if (!unit.empty())
        reply.emplace(replykey::kUnit, plist::Value(unit));
    reply.emplace(replykey::kX, RealsAsData(samples.points, &chart::Point::x));
    reply.emplace(replykey::kY, RealsAsData(samples.points, &chart::Point::y));
    plist::Array zeroReals(zeros.begin(), zeros.end());
    reply.emplace(replykey::kZeros, plist::Value(std::move(zeroReals)));
    return plist::Value(std::move(reply));
}

bool HasValue(const chart::SampledCurve& samples) {
    for (const chart::Point& point : samples.points)
        if (std::isfinite(point.y))
            return true;
    return false;
}

} // namespace

std::string PlotReplyXml(std::string_view line, SCalcState& state) {
    PlotStatement plot;
    Failure failure;
    std::size_t stop = 0;
    if (!ReadPlotStatement(line, state, plot, failure, stop))
        return ReplyXml(kSyntaxError, 0, {}, {}, stop, failure);

    plist::Array curves;
    for (const PlotCurveText& curve : plot.curves) {
        CurveOfX f(state, curve.text);
        const chart::CurveFunction function = [&f](double x) { return f(x); };
        const chart::SampledCurve samples = chart::SampleCurve(function, plot.from, plot.to);
        // A curve that fails everywhere ("f(x, 1)" of a function of one argument) is an error,
        // not an empty chart.
        if (!HasValue(samples) && f.firstFailure())
            return ReplyXml(kSyntaxError, 0, {}, {}, curve.offset, *f.firstFailure());
        curves.push_back(CurveReply(curve, samples, chart::ZerosOf(samples, function), f.unit()));
    }

    plist::Dictionary reply;
    reply.emplace(replykey::kCurves, plist::Value(std::move(curves)));
    reply.emplace(replykey::kFrom, plist::Value(plot.from));
    reply.emplace(replykey::kResultKind, plist::Value(std::int64_t{kPlot}));
    reply.emplace(replykey::kStop, plist::Value(static_cast<std::int64_t>(line.size())));
    reply.emplace(replykey::kTo, plist::Value(plot.to));
    return plist::writeXml(plist::Value(std::move(reply)));
}
