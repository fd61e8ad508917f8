#include "Charting/renderers/LineChartRenderer.h"

#include "Charting/animation/Animator.h"
#include "Charting/components/XAxis.h"
#include "Charting/data/ChartDataEntry.h"
#include "Charting/data/ChartDataSet.h"
#include "Charting/data/LineChartData.h"
#include "Charting/data/LineChartDataProvider.h"
#include "Charting/data/LineChartDataSetProtocol.h"
#include "Charting/formatters/ChartAxisValueFormatter.h"
#include "Charting/formatters/ChartFillFormatter.h"
#include "Charting/formatters/ChartValueFormatter.h"
#include "Charting/data/Highlight.h"
#include "Charting/renderers/AccessibleChart.h"
#include "Charting/utils/ChartErrors.h"
#include "Charting/utils/ChartUtils.h"
#include "Charting/utils/Fill.h"
#include "Charting/utils/GraphicsContext.h"
#include "Charting/utils/NSUIAccessibilityElement.h"
#include "Charting/utils/NumberText.h"
#include "Charting/utils/TextMeasurer.h"
#include "Charting/utils/Transformer.h"
#include "Charting/utils/ViewPortHandler.h"
#include "platform/Fatal.h"

#include <optional>
#include <string>
#include <algorithm>
#include <array>
#include <cmath>
#include <limits>
#include <numbers>

namespace charting {

using platform::AffineTransform;
using platform::Point;
using platform::Rect;

namespace {

// Reads a data set's entries by index without copying a shared pointer per entry when the data
// set keeps them in a list; other data sets are asked one entry at a time, and the last few
// entries asked for stay alive while they are in use.
class EntryReader {
public:
    explicit EntryReader(const ChartDataSetProtocol& dataSet)
        : dataSet_(dataSet), list_(dynamic_cast<const ChartDataSet*>(&dataSet)) {}

    const ChartDataEntry* at(long long index) {
        if (list_) {
            const auto& entries = list_->entries();
            if (index < 0 || index >= static_cast<long long>(entries.size()))
                return nullptr;
            return entries[static_cast<std::size_t>(index)].get();
        }
        if (index < 0 || index > std::numeric_limits<int>::max())
            return nullptr;
        auto& slot = kept_[next_++ % kept_.size()];
        slot = dataSet_.entryForIndex(static_cast<int>(index));
        return slot.get();
    }

private:
    const ChartDataSetProtocol& dataSet_;
    const ChartDataSet* list_;
    std::array<std::shared_ptr<ChartDataEntry>, 8> kept_;
    std::size_t next_ = 0;
};

// Reduces a stream of view points to the first, lowest, highest and last point of each device
// pixel column, in their order, and adds them to a path as lines.
class ColumnReducer {
public:
    ColumnReducer(Path& path, double pixelsPerPoint) : path_(path), scale_(pixelsPerPoint) {}

    void add(Point p) {
        const double at = p.x * scale_;
        // Most points fall in the column of the one before: two comparisons, no rounding.
        if (count_ == 0 || !(at >= column_ && at < column_ + 1)) {
            flush();
            column_ = std::floor(at);
            first_ = low_ = high_ = last_ = Slot{p, 0};
            count_ = 1;
            return;
        }
        const Slot s{p, count_++};
        if (p.y < low_.point.y)
            low_ = s;
        if (p.y > high_.point.y)
            high_ = s;
        last_ = s;
    }

    void flush() {
        if (count_ == 0)
            return;
        put(first_);
        const Slot& a = low_.order <= high_.order ? low_ : high_;
        const Slot& b = low_.order <= high_.order ? high_ : low_;
        if (a.order > emitted_)
            put(a);
        if (b.order > emitted_)
            put(b);
        if (last_.order > emitted_)
            put(last_);
        count_ = 0;
    }

private:
    struct Slot {
        Point point;
        long long order = 0;
    };
    void put(const Slot& s) {
        path_.addLineTo(s.point);
        emitted_ = s.order;
    }

    Path& path_;
    double scale_;
    double column_ = 0;
    long long count_ = 0;
    long long emitted_ = 0;
    Slot first_, low_, high_, last_;
};

bool isRgb(const QColor& c) {
    return c.isValid() && (c.spec() == QColor::Rgb || c.spec() == QColor::ExtendedRgb);
}

double fillLinePosition(const LineChartDataSetProtocol& dataSet, LineChartDataProvider& provider) {
    const auto formatter = dataSet.fillFormatter();
    return formatter ? formatter->getFillLinePosition(dataSet, provider) : 0.0;
}

} // namespace

std::shared_ptr<LineChartRenderer>
LineChartRenderer::create(LineChartDataProvider* dataProvider, std::shared_ptr<Animator> animator,
                          std::shared_ptr<ViewPortHandler> viewPortHandler) {
    return std::make_shared<LineChartRenderer>(dataProvider, std::move(animator),
                                               std::move(viewPortHandler));
}

LineChartRenderer::LineChartRenderer(LineChartDataProvider* dataProvider,
                                     std::shared_ptr<Animator> animator,
                                     std::shared_ptr<ViewPortHandler> viewPortHandler)
    : LineRadarRenderer(std::move(animator), std::move(viewPortHandler)) {
    setDataProvider(dataProvider);
}

LineChartDataProvider* LineChartRenderer::dataProvider() const {
    return dataProviderLifetime_.expired() ? nullptr : dataProvider_;
}

void LineChartRenderer::setDataProvider(LineChartDataProvider* dataProvider) {
    dataProvider_ = dataProvider;
    dataProviderLifetime_ =
        dataProvider ? dataProvider->lifetimeToken() : std::weak_ptr<const void>();
}

const std::vector<AccessibilityElements>& LineChartRenderer::accessibilityOrderedElements() {
    if (!accessibilityOrderedElements_) {
        std::vector<AccessibilityElements> lists;
        auto* provider = dataProvider();
        if (provider && dynamic_cast<AccessibleChart*>(provider))
            if (auto data = provider->lineData())
                lists.resize(static_cast<std::size_t>(data->dataSetCount()));
        accessibilityOrderedElements_ = std::move(lists);
    }
    return *accessibilityOrderedElements_;
}

// ---- lines and fills ----

void LineChartRenderer::drawData(GraphicsContext& context) {
    auto* provider = dataProvider();
    if (!provider)
        return;
    const auto lineData = provider->lineData();
    if (!lineData)
        return;
    pixelsPerPoint_ = context.devicePixelsPerPoint();
    for (const auto& set : lineData->dataSets()) {
        auto* dataSet = dynamic_cast<LineChartDataSetProtocol*>(set.get());
        if (!dataSet)
            platform::fatal("LineChartRenderer.drawData: the line data holds a data set that is "
                            "not a line data set");
        if (dataSet->isVisible())
            drawDataSet(context, *dataSet);
    }
}

void LineChartRenderer::drawDataSet(GraphicsContext& context, LineChartDataSetProtocol& dataSet) {
    if (dataSet.entryCount() < 1)
        return;
    context.saveGState();
    context.setLineWidth(dataSet.lineWidth());
    setLineDash(context, dataSet.lineDashPhase(), dataSet.lineDashLengths());
    context.setLineCap(dataSet.lineCapType());
    switch (dataSet.mode()) {
    case LineChartMode::linear:
    case LineChartMode::stepped:
        drawLinear(context, dataSet);
        break;
    case LineChartMode::cubicBezier:
        drawCubicBezier(context, dataSet);
        break;
    case LineChartMode::horizontalBezier:
        drawHorizontalBezier(context, dataSet);
        break;
    default:
        unexpectedEnumValue("drawDataSet", "LineChartDataSet.Mode", int(dataSet.mode()));
    }
    context.restoreGState();
}

void LineChartRenderer::drawLinear(GraphicsContext& context, LineChartDataSetProtocol& dataSet) {
    auto* provider = dataProvider();
    if (!provider)
        return;
    const auto trans = provider->getTransformerForAxis(dataSet.axisDependency());
    const AffineTransform matrix = trans->valueToPixelMatrix();
    const int entryCount = dataSet.entryCount();
    const bool isStepped = dataSet.mode() == LineChartMode::stepped;
    const double phaseY = animator() ? animator()->phaseY() : 1.0;
    XBounds& bounds = xBounds();
    bounds.set(*provider, dataSet, animator().get());

    if (dataSet.isDrawFilledEnabled() && entryCount > 0)
        drawLinearFill(context, dataSet, *trans, bounds);

    context.saveGState();
    EntryReader entries(dataSet);
    if (dataSet.colors().size() < 2 || dataSet.isDrawLineWithGradientEnabled()) {
        if (entries.at(bounds.min)) {
            Path& path = linePath_;
            path.clear();
            const double columns = viewPortHandler()->contentWidth() * pixelsPerPoint_;
            const bool reduce = double(bounds.range) + 1 > kReductionPointsPerPixel * columns;
            ColumnReducer reducer(path, pixelsPerPoint_);
            bool firstPoint = true;
            for (const long long j : bounds) {
                const ChartDataEntry* previous = entries.at(j == 0 ? 0 : j - 1);
                const ChartDataEntry* entry = entries.at(j);
                if (!previous || !entry)
                    continue;
                const Point start{previous->x(), previous->y() * phaseY};
                if (reduce) {
                    if (firstPoint)
                        path.moveTo(start, matrix);
                    if (isStepped)
                        reducer.add(matrix.apply(Point{entry->x(), start.y}));
                    reducer.add(matrix.apply(Point{entry->x(), entry->y() * phaseY}));
                } else {
                    if (firstPoint)
                        path.moveTo(start, matrix);
                    else
                        path.addLineTo(start, matrix);
                    if (isStepped)
                        path.addLineTo(Point{entry->x(), start.y}, matrix);
                    path.addLineTo(Point{entry->x(), entry->y() * phaseY}, matrix);
                }
                firstPoint = false;
            }
            reducer.flush();
            if (!firstPoint) {
                if (dataSet.isDrawLineWithGradientEnabled()) {
                    drawGradientLine(context, dataSet, path, matrix);
                } else {
                    context.beginPath();
                    context.addPath(path);
                    context.setStrokeColor(dataSet.colorAtIndex(0));
                    context.strokePath();
                }
            }
        }
    } else {
        const std::size_t pointsPerEntryPair = isStepped ? 4 : 2;
        if (lineSegments_.size() != pointsPerEntryPair)
            lineSegments_.assign(pointsPerEntryPair, Point{0, 0});
        const ViewPortHandler& vph = *viewPortHandler();
        const long long last = bounds.min + bounds.range;
        for (long long j = bounds.min; j < last; ++j) {
            const ChartDataEntry* entry = entries.at(j);
            if (!entry)
                continue;
            lineSegments_[0] = Point{entry->x(), entry->y() * phaseY};
            if (j < bounds.max) {
                const ChartDataEntry* next = entries.at(j + 1);
                if (!next)
                    break;
                if (isStepped) {
                    lineSegments_[1] = Point{next->x(), lineSegments_[0].y};
                    lineSegments_[2] = lineSegments_[1];
                    lineSegments_[3] = Point{next->x(), next->y() * phaseY};
                } else {
                    lineSegments_[1] = Point{next->x(), next->y() * phaseY};
                }
            }
            for (Point& p : lineSegments_)
                p = matrix.apply(p);
            const Point& first = lineSegments_.front();
            const Point& end = lineSegments_.back();
            if (!vph.isInBoundsRight(first.x))
                break;
            if (first == end)
                continue;
            if (!vph.isInBoundsLeft(end.x) || !vph.isInBoundsTop(std::max(first.y, end.y)) ||
                !vph.isInBoundsBottom(std::min(first.y, end.y)))
                continue;
            context.setStrokeColor(dataSet.colorAtIndex(int(j)));
            context.strokeLineSegments(lineSegments_);
        }
    }
    context.restoreGState();
}

void LineChartRenderer::drawLinearFill(GraphicsContext& context, LineChartDataSetProtocol& dataSet,
                                       const Transformer& trans, const XBounds& bounds) {
    auto* provider = dataProvider();
    if (!provider)
        return;
    const double fillMin = fillLinePosition(dataSet, *provider);
    const Path filled = generateFilledPath(dataSet, fillMin, bounds, trans.valueToPixelMatrix());
    if (const auto fill = dataSet.fill())
        drawFilledPathWithFill(context, filled, *fill, dataSet.fillAlpha());
    else
        drawFilledPathWithColor(context, filled, dataSet.fillColor(), dataSet.fillAlpha());
}

Path LineChartRenderer::generateFilledPath(const LineChartDataSetProtocol& dataSet, double fillMin,
                                           const XBounds& bounds, const AffineTransform& matrix) {
    const double phaseY = animator() ? animator()->phaseY() : 1.0;
    const bool isStepped = dataSet.mode() == LineChartMode::stepped;
    EntryReader entries(dataSet);
    Path filled;
    const double columns = viewPortHandler()->contentWidth() * pixelsPerPoint_;
    const bool reduce = double(bounds.range) + 1 > kReductionPointsPerPixel * columns;
    ColumnReducer reducer(filled, pixelsPerPoint_);
    auto lineTo = [&](Point p) {
        if (reduce)
            reducer.add(matrix.apply(p));
        else
            filled.addLineTo(p, matrix);
    };
    if (const ChartDataEntry* entry = entries.at(bounds.min)) {
        filled.moveTo(Point{entry->x(), fillMin}, matrix);
        lineTo(Point{entry->x(), entry->y() * phaseY});
    }
    const long long last = bounds.min + bounds.range;
    for (long long x = bounds.min + 1; x <= last; ++x) {
        const ChartDataEntry* entry = entries.at(x);
        if (!entry)
            continue;
        if (isStepped) {
            const ChartDataEntry* previous = entries.at(x - 1);
            if (!previous)
                continue;
            lineTo(Point{entry->x(), previous->y() * phaseY});
        }
        lineTo(Point{entry->x(), entry->y() * phaseY});
    }
    reducer.flush();
    if (bounds.range >= 0)
        if (const ChartDataEntry* entry = entries.at(last))
            filled.addLineTo(Point{entry->x(), fillMin}, matrix);
    filled.closeSubpath();
    return filled;
}

std::optional<LineChartRenderer::CurveSetup>
LineChartRenderer::curveSetup(LineChartDataSetProtocol& dataSet, const char* operation) {
    auto* provider = dataProvider();
    if (!provider)
        return std::nullopt;
    const auto trans = provider->getTransformerForAxis(dataSet.axisDependency());
    xBounds().set(*provider, dataSet, animator().get());
    if (dataSet.colors().empty())
        platform::fatal(std::string("LineChartRenderer.") + operation +
                        ": the data set has no colour");
    return CurveSetup{trans->valueToPixelMatrix(), animator() ? animator()->phaseY() : 1.0,
                      dataSet.colorAtIndex(0)};
}

void LineChartRenderer::drawCubicBezier(GraphicsContext& context,
                                        LineChartDataSetProtocol& dataSet) {
    const auto setup = curveSetup(dataSet, "drawCubicBezier");
    if (!setup)
        return;
    const AffineTransform& matrix = setup->matrix;
    const double phaseY = setup->phaseY;
    const XBounds& bounds = xBounds();
    const QColor& drawingColor = setup->color;
    const double intensity = dataSet.cubicIntensity();

    EntryReader entries(dataSet);
    Path& cubic = linePath_;
    cubic.clear();
    if (bounds.range >= 1) {
        const ChartDataEntry* prevPrev = entries.at(std::max(bounds.min - 1, 0LL));
        const ChartDataEntry* prev = entries.at(bounds.min);
        if (!prev)
            return;
        if (!prevPrev)
            prevPrev = prev;
        cubic.moveTo(Point{prev->x(), prev->y() * phaseY}, matrix);
        const long long count = dataSet.entryCount();
        const ChartDataEntry* next = prev;
        long long nextAt = bounds.min;
        const long long last = bounds.min + bounds.range;
        for (long long j = bounds.min + 1; j <= last; ++j) {
            const ChartDataEntry* cur = nextAt == j ? next : entries.at(j);
            if (!cur)
                break;
            nextAt = j + 1 < count ? j + 1 : j;
            next = entries.at(nextAt);
            if (!next)
                break;
            const double prevDx = (cur->x() - prevPrev->x()) * intensity;
            const double prevDy = (cur->y() - prevPrev->y()) * intensity;
            const double curDx = (next->x() - prev->x()) * intensity;
            const double curDy = (next->y() - prev->y()) * intensity;
            cubic.addCurveTo(Point{prev->x() + prevDx, (prev->y() + prevDy) * phaseY},
                             Point{cur->x() - curDx, (cur->y() - curDy) * phaseY},
                             Point{cur->x(), cur->y() * phaseY}, matrix);
            prevPrev = prev;
            prev = cur;
        }
    }

    finishCurve(context, dataSet, cubic, matrix, bounds, drawingColor);
}

void LineChartRenderer::drawHorizontalBezier(GraphicsContext& context,
                                             LineChartDataSetProtocol& dataSet) {
    const auto setup = curveSetup(dataSet, "drawHorizontalBezier");
    if (!setup)
        return;
    const AffineTransform& matrix = setup->matrix;
    const double phaseY = setup->phaseY;
    const XBounds& bounds = xBounds();
    const QColor& drawingColor = setup->color;

    EntryReader entries(dataSet);
    Path& cubic = linePath_;
    cubic.clear();
    if (bounds.range >= 1) {
        const ChartDataEntry* prev = entries.at(bounds.min);
        if (!prev)
            return;
        cubic.moveTo(Point{prev->x(), prev->y() * phaseY}, matrix);
        const long long last = bounds.min + bounds.range;
        for (long long j = bounds.min + 1; j <= last; ++j) {
            const ChartDataEntry* cur = entries.at(j);
            if (!cur)
                break;
            const double cpx = prev->x() + (cur->x() - prev->x()) * 0.5;
            cubic.addCurveTo(Point{cpx, prev->y() * phaseY}, Point{cpx, cur->y() * phaseY},
                             Point{cur->x(), cur->y() * phaseY}, matrix);
            prev = cur;
        }
    }

    finishCurve(context, dataSet, cubic, matrix, bounds, drawingColor);
}

void LineChartRenderer::finishCurve(GraphicsContext& context, LineChartDataSetProtocol& dataSet,
                                    const Path& curve, const AffineTransform& matrix,
                                    const XBounds& bounds, const QColor& color) {
    context.saveGState();
    if (dataSet.isDrawFilledEnabled()) {
        Path fillPath = curve;
        drawCubicFill(context, dataSet, fillPath, matrix, bounds);
    }
    if (dataSet.isDrawLineWithGradientEnabled()) {
        drawGradientLine(context, dataSet, curve, matrix);
    } else {
        context.beginPath();
        context.addPath(curve);
        context.setStrokeColor(color);
        context.strokePath();
    }
    context.restoreGState();
}

void LineChartRenderer::drawCubicFill(GraphicsContext& context, LineChartDataSetProtocol& dataSet,
                                      Path& spline, const AffineTransform& matrix,
                                      const XBounds& bounds) {
    auto* provider = dataProvider();
    if (!provider || bounds.range < 1)
        return;
    const double fillMin = fillLinePosition(dataSet, *provider);
    EntryReader entries(dataSet);
    const ChartDataEntry* last = entries.at(bounds.min + bounds.range);
    const ChartDataEntry* first = entries.at(bounds.min);
    spline.addLineTo(matrix.apply(Point{last ? last->x() : 0.0, fillMin}));
    spline.addLineTo(matrix.apply(Point{first ? first->x() : 0.0, fillMin}));
    spline.closeSubpath();
    if (const auto fill = dataSet.fill())
        drawFilledPathWithFill(context, spline, *fill, dataSet.fillAlpha());
    else
        drawFilledPathWithColor(context, spline, dataSet.fillColor(), dataSet.fillAlpha());
}

void LineChartRenderer::drawGradientLine(GraphicsContext& context,
                                         const LineChartDataSetProtocol& dataSet,
                                         const Path& spline, const AffineTransform& matrix) {
    const auto positions = dataSet.gradientPositions();
    if (!positions)
        return;
    const double grow = dataSet.lineWidth() / 2;
    const Rect raw = spline.boundingBox();
    if (raw.isNull())
        return;
    const Rect box(raw.minX() - grow, raw.minY() - grow, raw.width() + 2 * grow,
                   raw.height() + 2 * grow);
    if (!std::isfinite(box.minX()) || !std::isfinite(box.minY()) || !std::isfinite(box.maxX()) ||
        !std::isfinite(box.maxY()) || box.isEmpty())
        return;

    // Colour i stays paired with position i; as many stops as there are pairs.
    std::vector<QColor> colors;
    for (const QColor& c : dataSet.colors())
        if (isRgb(c))
            colors.push_back(c);
    const std::size_t n = std::min(colors.size(), positions->size());
    std::vector<std::pair<double, QColor>> stops;
    stops.reserve(n);
    const double height = box.maxY() - box.minY();
    for (std::size_t i = 0; i < n; ++i) {
        const Point mapped = matrix.apply(Point{box.minX(), (*positions)[i]});
        const double at = (mapped.y - box.minY()) / height;
        stops.emplace_back(std::isnan(at) ? 0.0 : std::clamp(at, 0.0, 1.0), colors[i]);
    }
    if (stops.empty()) {
        // Nothing to pin: a plain line.
        context.beginPath();
        context.addPath(spline);
        context.setStrokeColor(dataSet.colorAtIndex(0));
        context.strokePath();
        return;
    }
    std::stable_sort(stops.begin(), stops.end(),
                     [](const auto& a, const auto& b) { return a.first < b.first; });
    Gradient gradient;
    for (const auto& [at, color] : stops) {
        gradient.locations.push_back(at);
        gradient.colors.push_back(color);
    }

    context.saveGState();
    context.beginPath();
    context.addPath(spline);
    context.replacePathWithStrokedPath();
    context.clip(FillRule::winding);
    context.drawLinearGradient(gradient, Point{0, box.minY()}, Point{0, box.maxY()}, drawsNone);
    context.restoreGState();
}

// ---- circles and accessibility ----

void LineChartRenderer::drawExtras(GraphicsContext& context) {
    drawCircles(context);
}

void LineChartRenderer::drawCircles(GraphicsContext& context) {
    auto* provider = dataProvider();
    if (!provider)
        return;
    const auto lineData = provider->lineData();
    if (!lineData)
        return;
    const double phaseY = animator() ? animator()->phaseY() : 1.0;

    elements().clear();
    accessibilityOrderedElements_.reset();
    accessibilityOrderedElements();
    auto* chart = dynamic_cast<AccessibleChart*>(provider);
    if (chart)
        elements().push_back(createAccessibleHeader(*chart, *lineData, QStringLiteral("Line Chart")));

    const ViewPortHandler& vph = *viewPortHandler();
    context.saveGState();
    const auto& dataSets = lineData->dataSets();
    for (std::size_t i = 0; i < dataSets.size(); ++i) {
        auto* dataSet = dynamic_cast<LineChartDataSetProtocol*>(dataSets[i].get());
        if (!dataSet || !dataSet->isVisible() || !dataSet->isDrawCirclesEnabled() ||
            dataSet->entryCount() == 0)
            continue;
        const auto trans = provider->getTransformerForAxis(dataSet->axisDependency());
        const AffineTransform matrix = trans->valueToPixelMatrix();
        XBounds& bounds = xBounds();
        bounds.set(*provider, *dataSet, animator().get());

        const double r = dataSet->circleRadius();
        const double h = dataSet->circleHoleRadius();
        const bool drawCircleHole = dataSet->isDrawCircleHoleEnabled() && h < r && h > 0;
        const auto holeColor = dataSet->circleHoleColor();
        const bool drawTransparentCircleHole =
            drawCircleHole && (!holeColor || *holeColor == QColor(Qt::transparent));

        EntryReader entries(*dataSet);
        for (const long long j : bounds) {
            const ChartDataEntry* entry = entries.at(j);
            if (!entry)
                break;
            const Point pt = matrix.apply(Point{entry->x(), entry->y() * phaseY});
            if (!vph.isInBoundsRight(pt.x))
                break;
            if (!vph.isInBoundsLeft(pt.x) || !vph.isInBoundsY(pt.y))
                continue;
            if (chart) {
                const Rect frame(pt.x - 3 * r, pt.y - 3 * r, 6 * r, 6 * r);
                (*accessibilityOrderedElements_)[i].push_back(
                    createAccessibilityElement(j, *chart, *dataSet, int(i), frame));
            }
            if (const auto color = dataSet->getCircleColorAtIndex(int(j)))
                context.setFillColor(*color);
            const Rect circle(pt.x - r, pt.y - r, 2 * r, 2 * r);
            const Rect hole(pt.x - h, pt.y - h, 2 * h, 2 * h);
            if (drawTransparentCircleHole) {
                context.beginPath();
                context.addEllipse(circle);
                context.addEllipse(hole);
                context.fillPath(FillRule::evenOdd);
            } else {
                context.fillEllipse(circle);
                if (drawCircleHole) {
                    context.setFillColor(*holeColor);
                    context.fillEllipse(hole);
                }
            }
        }
    }
    context.restoreGState();

    for (const auto& list : *accessibilityOrderedElements_)
        elements().insert(elements().end(), list.begin(), list.end());
    accessibilityPostLayoutChangedNotification(nullptr);
}

std::shared_ptr<NSUIAccessibilityElement>
LineChartRenderer::createAccessibilityElement(long long index, AccessibleChart& container,
                                              const LineChartDataSetProtocol& dataSet,
                                              int dataSetIndex, const Rect& frame) {
    auto element = NSUIAccessibilityElement::create(container.accessibilityContainer());
    auto* provider = dataProvider();
    const auto entry = index >= 0 && index <= std::numeric_limits<int>::max()
                           ? dataSet.entryForIndex(int(index))
                           : nullptr;
    if (!entry || !provider)
        return element;
    const auto xAxis = container.xAxis();
    const auto xFormatter = xAxis ? xAxis->valueFormatter() : nullptr;
    const QString xText = xFormatter ? xFormatter->stringForValue(entry->x(), xAxis.get())
                                     : shortestText(entry->x());
    const QString yText = dataSet.valueFormatter()->stringForValue(entry->y(), entry, dataSetIndex,
                                                                   viewPortHandler().get());
    const auto lineData = provider->lineData();
    const QString prefix = lineData && lineData->dataSetCount() >= 2
                               ? dataSet.label().value_or(QString()) + QStringLiteral(", ")
                               : QString();
    element->setElementLabel(prefix + QStringLiteral(" ") + xText + QStringLiteral(": ") + yText);
    element->setElementFrame(frame);
    return element;
}

// ---- values ----

void LineChartRenderer::drawValues(GraphicsContext& context) {
    auto* provider = dataProvider();
    if (!provider)
        return;
    const auto lineData = provider->lineData();
    if (!lineData || !isDrawingValuesAllowed(provider))
        return;
    const auto& dataSets = lineData->dataSets();
    for (std::size_t i = 0; i < dataSets.size(); ++i) {
        auto* dataSet = dynamic_cast<LineChartDataSetProtocol*>(dataSets[i].get());
        if (!dataSet || !shouldDrawValues(*dataSet))
            continue;
        long long valOffset = checkedIndex(dataSet->circleRadius() * 1.75,
                                           std::numeric_limits<int>::min(),
                                           std::numeric_limits<int>::max());
        if (!dataSet->isDrawCirclesEnabled())
            valOffset /= 2;
        drawEntryValues(context, *provider, *dataSet, int(i), double(valOffset));
    }
}

// ---- highlights ----

void LineChartRenderer::drawHighlighted(GraphicsContext& context, const Highlights& indices) {
    auto* provider = dataProvider();
    if (!provider)
        return;
    const auto lineData = provider->lineData();
    if (!lineData)
        return;
    const double phaseX = animator() ? animator()->phaseX() : 1.0;
    drawHighlightsOf(
        context, *provider, *lineData, indices,
        [](const ChartDataSetProtocol& set) {
            return dynamic_cast<const LineChartDataSetProtocol*>(&set) != nullptr;
        },
        provider->chartXMax() * phaseX);
}

} // namespace charting
