#include "Charting/components/Legend.h"

#include "Charting/utils/ChartDefaults.h"
#include "Charting/utils/TextMeasurer.h"
#include "Charting/utils/ViewPortHandler.h"

#include <algorithm>
#include <cmath>

namespace charting {

platform::Size legendLabelSize(const QString& label, const QFont& font) {
    TextAttributes attributes;
    attributes.font = font;
    return textMeasurer().size(label, attributes);
}

double legendLineHeight(const QFont& font) {
    return textMeasurer().boundingRectForFont(font).size.height;
}

std::shared_ptr<Legend> Legend::create() {
    auto legend = create(std::vector<std::shared_ptr<LegendEntry>>());
    legend->setXOffset(5);
    legend->setYOffset(3);
    return legend;
}

std::shared_ptr<Legend> Legend::create(std::vector<std::shared_ptr<LegendEntry>> entries) {
    auto legend = std::shared_ptr<Legend>(new Legend());
    legend->font_ = systemFont(10);
    legend->textColor_ = labelTextColor();
    legend->entries_ = std::move(entries);
    return legend;
}

platform::Size Legend::getMaximumEntrySize(const QFont& font) const {
    double maxFormSize = 0;
    double maxLabelWidth = 0;
    double maxLabelHeight = 0;
    for (const auto& entry : entries_) {
        const double formSize = std::isnan(entry->formSize()) ? formSize_ : entry->formSize();
        maxFormSize = std::max(maxFormSize, formSize);
        const auto label = entry->label();
        if (!label)
            continue;
        const auto size = legendLabelSize(*label, font);
        maxLabelWidth = std::max(maxLabelWidth, size.width);
        maxLabelHeight = std::max(maxLabelHeight, size.height);
    }
    return {maxFormSize + maxLabelWidth + formToTextSpace_, maxLabelHeight};
}

void Legend::calculateDimensions(const QFont& labelFont, const ViewPortHandler& viewPortHandler) {
    const auto maxEntrySize = getMaximumEntrySize(labelFont);
    textWidthMax_ = maxEntrySize.width;
    textHeightMax_ = maxEntrySize.height;
    if (orientation_ == Orientation::horizontal)
        calculateHorizontal(labelFont, viewPortHandler);
    else
        calculateVertical(labelFont);
    neededWidth_ += xOffset();
    neededHeight_ += yOffset();
}

void Legend::calculateHorizontal(const QFont& labelFont, const ViewPortHandler& viewPortHandler) {
    const double defaultFormSize = formSize_;
    const double stackSpace = stackSpace_;
    const double formToTextSpace = formToTextSpace_;
    const double xEntrySpace = xEntrySpace_;
    const double yEntrySpace = yEntrySpace_;
    const bool wordWrap = wordWrapEnabled_;
    const auto entries = entries_;
    const auto count = entries.size();

    const double labelLineHeight = legendLineHeight(labelFont);
    const double contentWidth = viewPortHandler.contentWidth() * maxSizePercent_;

    if (calculatedLabelSizes_.size() != count)
        calculatedLabelSizes_.assign(count, platform::Size());
    if (calculatedLabelBreakPoints_.size() != count)
        calculatedLabelBreakPoints_.assign(count, false);
    calculatedLineSizes_.clear();

    double maxLineWidth = 0;
    double currentLineWidth = 0;
    double requiredWidth = 0;
    long stackedStartIndex = -1;

    for (std::size_t i = 0; i < count; ++i) {
        const auto& entry = entries[i];
        const bool drawingForm = entry->form() != Form::none;
        const auto label = entry->label();
        calculatedLabelBreakPoints_[i] = false;
        if (stackedStartIndex == -1)
            requiredWidth = 0;
        else
            requiredWidth += stackSpace;

        if (label) {
            calculatedLabelSizes_[i] = legendLabelSize(*label, labelFont);
            requiredWidth += drawingForm ? defaultFormSize + formToTextSpace : 0;
            requiredWidth += calculatedLabelSizes_[i].width;
        } else {
            calculatedLabelSizes_[i] = platform::Size();
            requiredWidth += drawingForm ? defaultFormSize : 0;
            if (stackedStartIndex == -1)
                stackedStartIndex = long(i);
        }

        if (label || i == count - 1) {
            const double requiredSpacing = currentLineWidth == 0 ? 0 : xEntrySpace;
            if (!wordWrap || currentLineWidth == 0 ||
                contentWidth - currentLineWidth >= requiredSpacing + requiredWidth) {
                currentLineWidth += requiredSpacing + requiredWidth;
            } else {
                calculatedLineSizes_.push_back({currentLineWidth, labelLineHeight});
                maxLineWidth = std::max(maxLineWidth, currentLineWidth);
                calculatedLabelBreakPoints_[stackedStartIndex > -1 ? std::size_t(stackedStartIndex)
                                                                   : i] = true;
                currentLineWidth = requiredWidth;
            }
            if (i == count - 1) {
                calculatedLineSizes_.push_back({currentLineWidth, labelLineHeight});
                maxLineWidth = std::max(maxLineWidth, currentLineWidth);
            }
        }
        if (label)
            stackedStartIndex = -1;
    }

    neededWidth_ = maxLineWidth;
    const double rows = double(calculatedLineSizes_.size());
    neededHeight_ = labelLineHeight * rows + yEntrySpace * (rows == 0 ? 0 : rows - 1);
}

void Legend::calculateVertical(const QFont& labelFont) {
    const double defaultFormSize = formSize_;
    const double stackSpace = stackSpace_;
    const double formToTextSpace = formToTextSpace_;
    const double yEntrySpace = yEntrySpace_;
    const auto entries = entries_;
    const auto count = entries.size();

    const double labelLineHeight = legendLineHeight(labelFont);
    const double rowStep = labelLineHeight + yEntrySpace;

    double maxWidth = 0;
    double maxHeight = 0;
    double width = 0;
    bool wasStacked = false;

    for (std::size_t i = 0; i < count; ++i) {
        const auto& entry = entries[i];
        const bool drawingForm = entry->form() != Form::none;
        const double formSize = std::isnan(entry->formSize()) ? defaultFormSize
                                                               : entry->formSize();
        if (!wasStacked)
            width = 0;
        if (drawingForm) {
            if (wasStacked)
                width += stackSpace;
            width += formSize;
        }
        if (const auto label = entry->label()) {
            const auto size = legendLabelSize(*label, labelFont);
            if (drawingForm && !wasStacked) {
                width += formToTextSpace;
            } else if (wasStacked) {
                maxWidth = std::max(maxWidth, width);
                maxHeight += rowStep;
                width = 0;
            }
            width += size.width;
            maxHeight += rowStep;
            wasStacked = false;
        } else {
            // The form of a stacked entry counts twice: once above, once here.
            width += formSize;
            if (i < count - 1)
                width += stackSpace;
            wasStacked = true;
        }
        maxWidth = std::max(maxWidth, width);
    }
    neededWidth_ = maxWidth;
    neededHeight_ = maxHeight;
}

void Legend::setCustom(std::vector<std::shared_ptr<LegendEntry>> entries) {
    entries_ = std::move(entries);
    isLegendCustom_ = true;
}

void Legend::resetCustom() { isLegendCustom_ = false; }

} // namespace charting
