#pragma once

#include "Charting/views/PieRadarChartViewBase.h"

#include <QColor>

#include <memory>

namespace charting {

class YAxis;
class XAxisRendererRadarChart;
class YAxisRendererRadarChart;

// The radar chart: each data set a closed polygon over a web of spokes (one per entry index)
// and rings (one per y-axis label value); an entry lies on its spoke at a distance from the
// centre that grows with its value from the y axis's minimum. Layouts can promote a placeholder
// widget to it.
class RadarChartView : public PieRadarChartViewBase {
public:
    explicit RadarChartView(QWidget* parent = nullptr);
    ~RadarChartView() override;

    virtual double webLineWidth() const { return webLineWidth_; }
    virtual void setWebLineWidth(double width) { webLineWidth_ = width; }
    virtual double innerWebLineWidth() const { return innerWebLineWidth_; }
    virtual void setInnerWebLineWidth(double width) { innerWebLineWidth_ = width; }
    virtual QColor webColor() const { return webColor_; }
    virtual void setWebColor(QColor color) { webColor_ = color; }
    virtual QColor innerWebColor() const { return innerWebColor_; }
    virtual void setInnerWebColor(QColor color) { innerWebColor_ = color; }
    virtual double webAlpha() const { return webAlpha_; }
    virtual void setWebAlpha(double alpha) { webAlpha_ = alpha; }
    virtual bool drawWeb() const { return drawWeb_; }
    virtual void setDrawWeb(bool enabled) { drawWeb_ = enabled; }

    // Points per unit of value: the radius over the y axis's range.
    virtual double factor();
    // Degrees between two spokes: 360 over the largest data set's entry count (infinite
    // without data).
    virtual double sliceAngle();
    // The radar's own y axis (left side, labels 10 points off the spoke).
    virtual std::shared_ptr<YAxis> yAxis() const;
    // Spokes left out between two drawn ones; a negative count is stored as 0.
    virtual int skipWebLineCount() const { return skipWebLineCount_; }
    virtual void setSkipWebLineCount(int count) { skipWebLineCount_ = count < 0 ? 0 : count; }
    virtual double yRange();

    XAxisRendererRadarChart* xAxisRenderer() const { return xAxisRenderer_.get(); }
    YAxisRendererRadarChart* yAxisRenderer() const { return yAxisRenderer_.get(); }

    // The base set-up, the y axis, the radar renderer, both axis renderers and the highlighter.
    void initialize() override;
    // The y axis from the data's values, the x axis over 0...largest entry count.
    virtual void calcMinMax();
    void notifyDataSetChanged() override;
    double chartYMax() override;
    double chartYMin() override;
    // The spoke under an angle (degrees): the first whose slice (half a slice either side of
    // the spoke) reaches past it; the last half slice belongs to spoke 0. 0 without data.
    int indexForAngle(double angle) override;
    // The smaller half side of the content rectangle.
    double radius() override;
    double requiredLegendOffset() override;
    double requiredBaseOffset() override;

    void drawRect(GraphicsContext* context, const platform::Rect& rect) override;

protected:
    // At least the width of a rotated spoke label while the x axis draws labels, so that the
    // labels around the web stay inside the view.
    double requiredMinOffset() override;

private:
    double webLineWidth_ = 1.5;
    double innerWebLineWidth_ = 0.75;
    QColor webColor_ = QColor::fromRgbF(122.0f / 255.0f, 122.0f / 255.0f, 122.0f / 255.0f, 1.0f);
    QColor innerWebColor_ = webColor_;
    double webAlpha_ = 150.0 / 255.0;
    bool drawWeb_ = true;
    int skipWebLineCount_ = 0;
    std::shared_ptr<YAxis> yAxis_;
    std::shared_ptr<YAxisRendererRadarChart> yAxisRenderer_;
    std::shared_ptr<XAxisRendererRadarChart> xAxisRenderer_;
};

} // namespace charting
