#pragma once

#include "Charting/renderers/DataRenderer.h"
#include "Charting/utils/TextAttributes.h"
#include "platform/Geometry.h"

#include <QString>

#include <cstddef>
#include <iterator>

namespace charting {

class BarLineScatterCandleBubbleChartDataProvider;
class BarLineScatterCandleBubbleChartDataSetProtocol;
class ChartDataEntry;
class ChartDataSetProtocol;

// Base of the data renderers of the axis-based charts: the view-port handler, the animator, the
// accessibility elements and one reused XBounds.
class BarLineScatterCandleBubbleRenderer : public DataRenderer {
public:
    // The entry indices of one data set that a renderer draws: min through min + range, that is
    // the visible entries as far as the x animation has come. A negative range holds nothing.
    class XBounds {
    public:
        class Iterator {
        public:
            using iterator_category = std::forward_iterator_tag;
            using value_type = long long;
            using difference_type = std::ptrdiff_t;
            using pointer = const long long*;
            using reference = long long;
            Iterator() = default;
            explicit Iterator(long long at) : at_(at) {}
            long long operator*() const { return at_; }
            Iterator& operator++() {
                ++at_;
                return *this;
            }
            Iterator operator++(int) {
                Iterator old = *this;
                ++at_;
                return old;
            }
            friend bool operator==(const Iterator&, const Iterator&) = default;

        private:
            long long at_ = 0;
        };

        XBounds() = default;
        XBounds(BarLineScatterCandleBubbleChartDataProvider& chart,
                const BarLineScatterCandleBubbleChartDataSetProtocol& dataSet,
                const Animator* animator);

        // Finds the entries at the chart's lowest and highest visible x (rounding down and up)
        // and takes (max - min) x phaseX (clamped to 0...1, 1 without an animator) as the range.
        void set(BarLineScatterCandleBubbleChartDataProvider& chart,
                 const BarLineScatterCandleBubbleChartDataSetProtocol& dataSet,
                 const Animator* animator);

        long long min = 0;
        long long max = 0;
        long long range = 0;

        // min, min + 1, ..., min + range.
        Iterator begin() const { return Iterator(min); }
        Iterator end() const { return Iterator(range < 0 ? min : min + range + 1); }
        // The indices as a list.
        std::vector<long long> indices() const;
        bool contains(long long i) const { return range >= 0 && min <= i && i <= min + range; }
        // "min:<min>, max:<max>, range:<range>".
        QString description() const;
    };

    BarLineScatterCandleBubbleRenderer(std::shared_ptr<Animator> animator,
                                       std::shared_ptr<ViewPortHandler> viewPortHandler);
    BarLineScatterCandleBubbleRenderer() = delete;

    const std::shared_ptr<ViewPortHandler>& viewPortHandler() const override {
        return viewPortHandler_;
    }
    const AccessibilityElements& accessibleChartElements() const override {
        return accessibleChartElements_;
    }
    void setAccessibleChartElements(AccessibilityElements elements) override {
        accessibleChartElements_ = std::move(elements);
    }
    const std::shared_ptr<Animator>& animator() const override { return animator_; }

    void drawData(GraphicsContext& context) override;
    void drawValues(GraphicsContext& context) override;
    void drawExtras(GraphicsContext& context) override;
    void drawHighlighted(GraphicsContext& context, const Highlights& indices) override;
    void initBuffers() override;
    // Whether the chart's entries are fewer than maxVisibleCount x the horizontal zoom.
    bool isDrawingValuesAllowed(ChartDataProvider* dataProvider) override;

    // Whether the x animation has come to the entry: its index < entryCount x phaseX.
    bool isInBoundsX(const std::shared_ptr<ChartDataEntry>& entry,
                     const BarLineScatterCandleBubbleChartDataSetProtocol& dataSet) const;
    // A visible data set that draws values or icons.
    bool shouldDrawValues(const ChartDataSetProtocol& dataSet) const;

protected:
    // Whether the chart's entries are fewer than maxVisibleCount x the scale (truncated).
    bool hasFewerEntriesThanVisible(ChartDataProvider* dataProvider, double scale) const;
    AccessibilityElements& elements() { return accessibleChartElements_; }
    // Empties the accessibility elements; then, when the provider is a chart view, adds the
    // chart's header element with the default description.
    void restartAccessibleElements(ChartDataProvider& provider, const ChartData& data,
                                   const QString& defaultDescription);
    // The value labels and icons of a data set's entries within the x bounds (set here) and the
    // content: each label (of the entry's y, or of what valueOf gives) centred on its point's x with the top of its box
    // `offset` plus the font's line height above the point (a rotated label turns about that
    // box corner as its centre); each icon at its own size centred on the point moved by the
    // data set's icon offset. Points are the entries' (x, y x phaseY) through the matrix.
    void drawEntryValues(GraphicsContext& context,
                         BarLineScatterCandleBubbleChartDataProvider& provider,
                         const BarLineScatterCandleBubbleChartDataSetProtocol& dataSet,
                         int dataSetIndex, double offset,
                         double (*valueOf)(const ChartDataEntry&) = nullptr);
    XBounds& xBounds() { return xBounds_; }

private:
    std::shared_ptr<ViewPortHandler> viewPortHandler_;
    AccessibilityElements accessibleChartElements_;
    std::shared_ptr<Animator> animator_;
    XBounds xBounds_;
};

} // namespace charting
