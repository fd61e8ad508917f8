#include "Charting/renderers/AxisRenderer.h"

#include "Charting/components/AxisBase.h"
#include "Charting/components/ChartLimitLine.h"
#include "Charting/utils/ChartUtils.h"
#include "Charting/utils/GraphicsContext.h"
#include "Charting/utils/Transformer.h"
#include "Charting/utils/ViewPortHandler.h"

#include <cmath>
#include <limits>
#include <vector>

namespace charting {

namespace {

bool usable(double interval) {
    return std::isfinite(interval) && interval > 0;
}

// The number of fraction digits an interval needs.
int decimalsFor(double interval) {
    if (!(interval < 1))
        return 0;
    return int(checkedIndex(std::ceil(-std::log10(interval)), 0, std::numeric_limits<int>::max()));
}

void clearEntries(AxisBase& axis) {
    axis.setEntries({});
    axis.setCenteredEntries({});
}

} // namespace

std::optional<std::pair<platform::Point, platform::Point>>
visibleValues(const ViewPortHandler& viewPortHandler, const Transformer* transformer,
              bool fullyZoomedOut, platform::Point first, platform::Point second) {
    if (!transformer || !(viewPortHandler.contentWidth() > 10) || fullyZoomedOut)
        return std::nullopt;
    return std::pair{transformer->valueForTouchPoint(first),
                     transformer->valueForTouchPoint(second)};
}

std::pair<double, double> visibleRange(const ViewPortHandler& viewPortHandler,
                                       const Transformer* transformer, bool fullyZoomedOut,
                                       platform::Point first, platform::Point second, bool alongY,
                                       bool inverted, double min, double max) {
    const auto edges = visibleValues(viewPortHandler, transformer, fullyZoomedOut, first, second);
    if (!edges)
        return {min, max};
    const double from = alongY ? edges->first.y : edges->first.x;
    const double to = alongY ? edges->second.y : edges->second.x;
    return inverted ? std::pair{to, from} : std::pair{from, to};
}

void setAxisLineStroke(GraphicsContext& context, const AxisBase& axis) {
    context.setStrokeColor(axis.axisLineColor());
    context.setLineWidth(axis.axisLineWidth());
    setLineDash(context, axis.axisLineDashPhase(), axis.axisLineDashLengths());
}

void setGridStroke(GraphicsContext& context, const AxisBase& axis, const platform::Rect& clip) {
    context.clipToRect(clip);
    context.setShouldAntialias(axis.gridAntialiasEnabled());
    context.setStrokeColor(axis.gridColor());
    context.setLineWidth(axis.gridLineWidth());
    context.setLineCap(axis.gridLineCap());
    setLineDash(context, axis.gridLineDashPhase(), axis.gridLineDashLengths());
}

void setLimitLineStroke(GraphicsContext& context, const ChartLimitLine& line) {
    context.setStrokeColor(line.lineColor());
    context.setLineWidth(line.lineWidth());
    setLineDash(context, line.lineDashPhase(), line.lineDashLengths());
}

bool computeAxisEntries(AxisBase& axis, double min, double max) {
    const int labelCount = axis.labelCount();
    const double range = std::abs(max - min);
    if (labelCount <= 0 || range == 0 || !std::isfinite(range)) {
        clearEntries(axis);
        return false;
    }

    double interval = roundToNextSignificant(range / labelCount);
    if (!usable(interval)) { // too small to scale
        clearEntries(axis);
        return false;
    }
    if (axis.isGranularityEnabled() && interval <= axis.granularity())
        interval = axis.granularity();
    const double magnitude = roundToNextSignificant(
        std::pow(10.0, double(checkedIndex(std::log10(interval), std::numeric_limits<int>::min(),
                                           std::numeric_limits<int>::max()))));
    if (magnitude > 0) {
        const long long sigDigit =
            checkedIndex(interval / magnitude, 0, std::numeric_limits<int>::max());
        if (sigDigit > 5)
            interval = std::floor(10 * magnitude);
    }

    const bool centred = axis.isCenterAxisLabelsEnabled();
    std::vector<double> entries;
    if (axis.isForceLabelsEnabled()) {
        // One label is the minimum alone; its step is taken as the whole range.
        interval = labelCount > 1 ? range / (labelCount - 1) : range;
        if (!usable(interval)) {
            clearEntries(axis);
            return false;
        }
        entries.reserve(std::size_t(labelCount));
        for (int i = 0; i < labelCount; ++i)
            entries.push_back(std::fma(double(i), interval, min));
    } else {
        if (!usable(interval)) {
            clearEntries(axis);
            return false;
        }
        double first = std::ceil(min / interval) * interval;
        if (centred)
            first -= interval;
        double last = std::floor(max / interval) * interval;
        if (!std::isfinite(first) || !std::isfinite(last)) {
            clearEntries(axis);
            return false;
        }
        if (last == 0)
            last = 0; // -0 as +0
        last = std::nextafter(last, std::numeric_limits<double>::infinity());

        long long n = centred ? 1 : 0;
        if (first != last) {
            // The count is about the range over the interval; the bound only guards the loop.
            const long long bound = checkedIndex((last - first) / interval, 0, 1LL << 20) + 2;
            for (long long k = 0; k <= bound; ++k) {
                const double v = std::fma(double(k), interval, first);
                if (v < last) {
                    ++n;
                } else {
                    if (v == last)
                        ++n;
                    break;
                }
            }
        }
        const double end = std::fma(double(n), interval, first);
        entries.reserve(std::size_t(n));
        for (long long k = 0; k < n; ++k) {
            const double v = std::fma(double(k), interval, first);
            if (!(v < end))
                break;
            entries.push_back(v == 0 ? 0.0 : v);
        }
    }

    axis.setDecimals(decimalsFor(interval));
    if (centred) {
        std::vector<double> centeredEntries;
        centeredEntries.reserve(entries.size());
        for (double v : entries)
            centeredEntries.push_back(v + interval / 2);
        axis.setCenteredEntries(std::move(centeredEntries));
    }
    axis.setEntries(std::move(entries));
    return true;
}

} // namespace charting
