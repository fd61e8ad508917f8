#include "Charting/renderers/LegendRenderer.h"

#include "Charting/data/BarChartDataSetProtocol.h"
#include "Charting/data/CandleChartDataSetProtocol.h"
#include "Charting/data/ChartData.h"
#include "Charting/data/PieChartDataEntry.h"
#include "Charting/data/PieChartDataSetProtocol.h"
#include "Charting/utils/ChartUtils.h"
#include "Charting/utils/GraphicsContext.h"
#include "Charting/utils/ViewPortHandler.h"

#include <cmath>

namespace charting {

namespace {

// An entry for one colour of a data set, with the data set's form settings.
std::shared_ptr<LegendEntry> colourEntry(const ChartDataSetProtocol& dataSet,
                                         std::optional<QString> label, const QColor& color) {
    auto entry = LegendEntry::create(std::move(label));
    entry->setForm(dataSet.form());
    entry->setFormSize(dataSet.formSize());
    entry->setFormLineWidth(dataSet.formLineWidth());
    entry->setFormLineDashPhase(dataSet.formLineDashPhase());
    entry->setFormLineDashLengths(dataSet.formLineDashLengths());
    entry->setFormColor(color);
    return entry;
}

// The data set's label without a form, after its colour entries.
std::shared_ptr<LegendEntry> labelOnlyEntry(const QString& label) {
    auto entry = LegendEntry::create(label);
    entry->setForm(LegendForm::none);
    return entry;
}

using EntryList = std::vector<std::shared_ptr<LegendEntry>>;

void addStackedBarEntries(EntryList& entries, const ChartDataSetProtocol& dataSet,
                          const BarChartDataSetProtocol& bar) {
    const auto& colors = dataSet.colors();
    const auto stackLabels = bar.stackLabels();
    const int n = std::min(int(colors.size()), bar.stackSize());
    for (int j = 0; j < n; ++j) {
        std::optional<QString> label;
        if (j < stackLabels.size())
            label = stackLabels[j];
        entries.push_back(colourEntry(dataSet, label, colors[std::size_t(j)]));
    }
    if (const auto label = dataSet.label())
        entries.push_back(labelOnlyEntry(*label));
}

void addPieEntries(EntryList& entries, const ChartDataSetProtocol& dataSet) {
    const auto& colors = dataSet.colors();
    const int n = std::min(int(colors.size()), dataSet.entryCount());
    for (int j = 0; j < n; ++j) {
        std::optional<QString> label;
        if (auto pie = std::dynamic_pointer_cast<PieChartDataEntry>(dataSet.entryForIndex(j)))
            label = pie->label();
        entries.push_back(colourEntry(dataSet, label, colors[std::size_t(j)]));
    }
    if (const auto label = dataSet.label())
        entries.push_back(labelOnlyEntry(*label));
}

void addCandleEntries(EntryList& entries, const ChartDataSetProtocol& dataSet,
                      const CandleChartDataSetProtocol& candle) {
    auto decreasing = colourEntry(dataSet, std::nullopt, *candle.decreasingColor());
    entries.push_back(decreasing);
    auto increasing = colourEntry(dataSet, dataSet.label(), QColor());
    increasing->setFormColor(candle.increasingColor());
    entries.push_back(increasing);
}

void addPlainEntries(EntryList& entries, const ChartDataSetProtocol& dataSet) {
    const auto& colors = dataSet.colors();
    const int entryCount = dataSet.entryCount();
    const int n = std::min(int(colors.size()), entryCount);
    for (int j = 0; j < n; ++j) {
        const bool last = j == int(colors.size()) - 1 || j == entryCount - 1;
        entries.push_back(
            colourEntry(dataSet, last ? dataSet.label() : std::nullopt, colors[std::size_t(j)]));
    }
}

bool isClear(const QColor& color) { return color == QColor(Qt::transparent); }

} // namespace

std::shared_ptr<LegendRenderer> LegendRenderer::create(
    std::shared_ptr<ViewPortHandler> viewPortHandler, std::shared_ptr<Legend> legend) {
    return std::make_shared<LegendRenderer>(std::move(viewPortHandler), std::move(legend));
}

LegendRenderer::LegendRenderer(std::shared_ptr<ViewPortHandler> viewPortHandler,
                               std::shared_ptr<Legend> legend)
    : viewPortHandler_(std::move(viewPortHandler)), legend_(std::move(legend)),
      formLineSegmentsBuffer_(2) {}

void LegendRenderer::computeLegend(const ChartData& data) {
    if (!legend_)
        return;
    if (!legend_->isLegendCustom()) {
        EntryList entries;
        for (const auto& dataSet : data.dataSets()) {
            if (!dataSet)
                continue;
            auto bar = dynamic_cast<const BarChartDataSetProtocol*>(dataSet.get());
            auto candle = dynamic_cast<const CandleChartDataSetProtocol*>(dataSet.get());
            if (bar && bar->isStacked())
                addStackedBarEntries(entries, *dataSet, *bar);
            else if (dynamic_cast<const PieChartDataSetProtocol*>(dataSet.get()))
                addPieEntries(entries, *dataSet);
            else if (candle && candle->decreasingColor())
                addCandleEntries(entries, *dataSet, *candle);
            else
                addPlainEntries(entries, *dataSet);
        }
        const auto& extra = legend_->extraEntries();
        entries.insert(entries.end(), extra.begin(), extra.end());
        legend_->setEntries(std::move(entries));
    }
    legend_->calculateDimensions(legend_->font(), *viewPortHandler_);
}

void LegendRenderer::renderLegend(GraphicsContext& context) {
    const auto legend = legend_;
    if (!legend || !legend->isEnabled())
        return;
    const auto& vph = *viewPortHandler_;
    const bool horizontal = legend->orientation() == Legend::Orientation::horizontal;
    const bool leftToRight = legend->direction() == Legend::Direction::leftToRight;
    const double xOffset = legend->xOffset();
    const double neededWidth = legend->neededWidth();

    double originX = 0;
    switch (legend->horizontalAlignment()) {
    case Legend::HorizontalAlignment::left:
        originX = horizontal ? xOffset + vph.contentLeft() : xOffset;
        if (!leftToRight)
            originX += neededWidth;
        break;
    case Legend::HorizontalAlignment::right:
        originX = (horizontal ? vph.contentRight() : vph.chartWidth()) - xOffset;
        if (leftToRight)
            originX -= neededWidth;
        break;
    case Legend::HorizontalAlignment::center:
        if (horizontal) {
            originX = vph.contentLeft() + vph.contentWidth() / 2;
            originX += leftToRight ? xOffset : -xOffset;
        } else {
            originX = vph.chartWidth() / 2 + (leftToRight ? xOffset : -xOffset);
            if (leftToRight)
                originX -= neededWidth / 2 - xOffset;
            else
                originX += neededWidth / 2 - xOffset;
        }
        break;
    }
    if (horizontal)
        renderHorizontal(context, *legend, originX);
    else
        renderVertical(context, *legend, originX);
}

void LegendRenderer::renderHorizontal(GraphicsContext& context, const Legend& legend,
                                      double originX) {
    const auto& vph = *viewPortHandler_;
    const QFont font = legend.font();
    const QColor textColor = legend.textColor();
    const auto& entries = legend.entries();
    const double defaultFormSize = legend.formSize();
    const bool leftToRight = legend.direction() == Legend::Direction::leftToRight;
    const double sign = leftToRight ? 1 : -1;
    const double formToTextSpace = legend.formToTextSpace() * sign;
    const double xEntrySpace = legend.xEntrySpace() * sign;
    const double stackSpace = legend.stackSpace() * sign;
    const double labelLineHeight = legendLineHeight(font);
    const double formYOffset = labelLineHeight * 0.5;
    const double rowStep = labelLineHeight + legend.yEntrySpace();
    const bool centred = legend.horizontalAlignment() == Legend::HorizontalAlignment::center;
    const auto& breakPoints = legend.calculatedLabelBreakPoints();
    const auto& labelSizes = legend.calculatedLabelSizes();
    const auto& lineSizes = legend.calculatedLineSizes();

    double y = 0;
    switch (legend.verticalAlignment()) {
    case Legend::VerticalAlignment::top:
        y = legend.yOffset();
        break;
    case Legend::VerticalAlignment::bottom:
        y = vph.chartHeight() - legend.yOffset() - legend.neededHeight();
        break;
    case Legend::VerticalAlignment::center:
        y = (vph.chartHeight() - legend.neededHeight()) / 2 + legend.yOffset();
        break;
    }

    double x = originX;
    std::size_t row = 0;
    for (std::size_t i = 0; i < entries.size(); ++i) {
        const auto& entry = *entries[i];
        const bool drawingForm = entry.form() != LegendForm::none;
        const double formSize = std::isnan(entry.formSize()) ? defaultFormSize : entry.formSize();
        if (i < breakPoints.size() && breakPoints[i]) {
            x = originX;
            y += rowStep;
        }
        if (x == originX && centred && row < lineSizes.size()) {
            x += (leftToRight ? -1 : 1) * lineSizes[row].width / 2;
            ++row;
        }
        if (drawingForm) {
            if (!leftToRight)
                x -= formSize;
            drawForm(context, x, y + formYOffset, entry, legend);
            if (leftToRight)
                x += formSize;
        }
        if (const auto label = entry.label()) {
            if (drawingForm)
                x += formToTextSpace;
            // Entries changed since the last measuring are measured now.
            const double width = i < labelSizes.size() ? labelSizes[i].width
                                                       : legendLabelSize(*label, font).width;
            if (!leftToRight)
                x -= width;
            drawLabel(context, x, y, *label, font, entry.labelColor().value_or(textColor));
            if (leftToRight)
                x += width;
            x += xEntrySpace;
        } else {
            x += stackSpace;
        }
    }
}

void LegendRenderer::renderVertical(GraphicsContext& context, const Legend& legend,
                                    double originX) {
    const auto& vph = *viewPortHandler_;
    const QFont font = legend.font();
    const QColor textColor = legend.textColor();
    const double defaultFormSize = legend.formSize();
    const bool leftToRight = legend.direction() == Legend::Direction::leftToRight;
    const double formToTextSpace = legend.formToTextSpace() * (leftToRight ? 1 : -1);
    const double stackSpace = legend.stackSpace();
    const double labelLineHeight = legendLineHeight(font);
    const double formYOffset = labelLineHeight * 0.5;
    const double rowStep = labelLineHeight + legend.yEntrySpace();
    const bool centred = legend.horizontalAlignment() == Legend::HorizontalAlignment::center;

    double y = 0;
    switch (legend.verticalAlignment()) {
    case Legend::VerticalAlignment::top:
        y = legend.yOffset() + (centred ? 0 : vph.contentTop());
        break;
    case Legend::VerticalAlignment::bottom:
        y = (centred ? vph.chartHeight() : vph.contentBottom()) -
            (legend.yOffset() + legend.neededHeight());
        break;
    case Legend::VerticalAlignment::center:
        y = vph.chartHeight() / 2 - legend.neededHeight() / 2 + legend.yOffset();
        break;
    }

    double stack = 0;
    bool wasStacked = false;
    for (const auto& entryPtr : legend.entries()) {
        const auto& entry = *entryPtr;
        const bool drawingForm = entry.form() != LegendForm::none;
        const double formSize = std::isnan(entry.formSize()) ? defaultFormSize : entry.formSize();
        double x = originX;
        if (drawingForm) {
            if (leftToRight)
                x += stack;
            else
                x -= formSize - stack;
            drawForm(context, x, y + formYOffset, entry, legend);
            if (leftToRight)
                x += formSize;
        }
        if (const auto label = entry.label()) {
            if (drawingForm && !wasStacked)
                x += formToTextSpace;
            else if (wasStacked)
                x = originX;
            if (!leftToRight)
                x -= legendLabelSize(*label, font).width;
            if (wasStacked)
                y += rowStep;
            drawLabel(context, x, y, *label, font, entry.labelColor().value_or(textColor));
            y += rowStep;
            stack = 0;
            wasStacked = false;
        } else {
            stack += formSize + stackSpace;
            wasStacked = true;
        }
    }
}

void LegendRenderer::drawForm(GraphicsContext& context, double x, double y,
                              const LegendEntry& entry, const Legend& legend) {
    const auto formColor = entry.formColor();
    if (!formColor || isClear(*formColor))
        return;
    auto form = entry.form();
    if (form == LegendForm::default_)
        form = legend.form();
    const double formSize = std::isnan(entry.formSize()) ? legend.formSize() : entry.formSize();
    const platform::Rect box(x, y - formSize / 2, formSize, formSize);

    context.saveGState();
    switch (form) {
    case LegendForm::none:
    case LegendForm::empty:
        break;
    case LegendForm::default_:
    case LegendForm::circle:
        context.setFillColor(*formColor);
        context.fillEllipse(box);
        break;
    case LegendForm::square:
        context.setFillColor(*formColor);
        context.fillRect(box);
        break;
    case LegendForm::line: {
        const double lineWidth = std::isnan(entry.formLineWidth()) ? legend.formLineWidth()
                                                                   : entry.formLineWidth();
        const double dashPhase = std::isnan(entry.formLineDashPhase())
                                     ? legend.formLineDashPhase()
                                     : entry.formLineDashPhase();
        const auto dashLengths = entry.formLineDashLengths()
                                     ? entry.formLineDashLengths()
                                     : legend.formLineDashLengths();
        context.setLineWidth(lineWidth);
        setLineDash(context, dashPhase,
                    dashLengths && !dashLengths->empty() ? dashLengths : std::nullopt);
        context.setStrokeColor(*formColor);
        formLineSegmentsBuffer_[0] = {x, y};
        formLineSegmentsBuffer_[1] = {x + formSize, y};
        context.strokeLineSegments(formLineSegmentsBuffer_);
        break;
    }
    }
    context.restoreGState();
}

void LegendRenderer::drawLabel(GraphicsContext& context, double x, double y, const QString& label,
                               const QFont& font, const QColor& textColor) {
    TextAttributes attributes;
    attributes.font = font;
    attributes.foregroundColor = textColor;
    context.saveGState();
    context.drawText(label, {x, y}, attributes);
    context.restoreGState();
}

} // namespace charting
