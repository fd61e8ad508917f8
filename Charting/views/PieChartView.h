#pragma once

#include "Charting/utils/TextAttributes.h"
#include "Charting/views/PieRadarChartViewBase.h"

#include <QColor>
#include <QFont>
#include <QString>

#include <optional>
#include <vector>

namespace charting {

class PieChartData;

// A text with one set of attributes over its whole length (the centre text of a pie).
struct AttributedText {
    QString string;
    TextAttributes attributes;
};

// The pie chart: the slices of its pie data around the centre, as a pie or a ring, whole or as
// a half pie (a maximum angle of 180 or less), with the hole, the transparent circle around it
// and the centre text. Layouts can promote a placeholder widget to it.
class PieChartView : public PieRadarChartViewBase {
public:
    explicit PieChartView(QWidget* parent = nullptr);

    // Installs the pie renderer and highlighter after the base set-up.
    void initialize() override;

    // A pie chart has no x axis: reading or setting it stops the program.
    std::shared_ptr<XAxis> xAxis() override;
    void setXAxis(std::shared_ptr<XAxis> axis) override;

    // The data when it is pie data, else none.
    virtual std::shared_ptr<PieChartData> pieData();

    // The sweep of each slice and its end angle (cumulative), in degrees, one per entry over all
    // data sets in order.
    virtual std::vector<double> drawAngles() const { return drawAngles_; }
    virtual std::vector<double> absoluteAngles() const { return absoluteAngles_; }
    // Recomputes both from the data (which must be pie data): each entry's share of the sum of
    // |y| over the drawn data sets, times the maximum angle; 0 for all when that sum is 0 and
    // for the entries of data sets that are not drawn.
    virtual void computeSliceAngles();

    // The square holding the pie, its centre and half its side.
    virtual platform::Rect circleBox() const { return circleBox_; }
    virtual platform::Point centerCircleBox() const;
    double radius() override { return circleBox_.size.width * 0.5; }
    // Half pie aware: the whole diameter and a centre lowered by half of it when a half pie
    // fills a content wider than high.
    virtual double effectiveRadius();
    virtual platform::Point effectiveCenter();

    double angleForPoint(double x, double y) override;
    double distanceToCenter(double x, double y) override;
    // The slice whose end angle first lies beyond the angle (relative to the rotation), or -1.
    int indexForAngle(double angle) override;
    // Twice the legend font's size.
    double requiredLegendOffset() override;
    double requiredBaseOffset() override { return 0; }

    // Whether a highlight names the entry index (by its x, truncated).
    virtual bool needsHighlight(int index) const;
    // The first data set holding an entry at x, or -1.
    virtual int dataSetIndexForIndex(double xValue);

    // Appearance; every setter redraws unless it says otherwise.
    virtual std::optional<QColor> holeColor() const { return holeColor_; }
    virtual void setHoleColor(std::optional<QColor> color);
    virtual bool drawSlicesUnderHoleEnabled() const { return drawSlicesUnderHoleEnabled_; }
    virtual void setDrawSlicesUnderHoleEnabled(bool enabled);
    virtual bool isDrawSlicesUnderHoleEnabled() const { return drawSlicesUnderHoleEnabled(); }
    virtual bool drawHoleEnabled() const { return drawHoleEnabled_; }
    virtual void setDrawHoleEnabled(bool enabled);
    virtual bool isDrawHoleEnabled() const { return drawHoleEnabled(); }
    // The plain text of the centre text; setting a text gives it the label colour, the system
    // font at 12 points, centred and truncated at the tail.
    virtual std::optional<QString> centerText() const;
    virtual void setCenterText(std::optional<QString> text);
    virtual std::optional<AttributedText> centerAttributedText() const {
        return centerAttributedText_;
    }
    virtual void setCenterAttributedText(std::optional<AttributedText> text);
    virtual platform::Point centerTextOffset() const { return centerTextOffset_; }
    virtual void setCenterTextOffset(platform::Point offset);
    virtual bool drawCenterTextEnabled() const { return drawCenterTextEnabled_; }
    virtual void setDrawCenterTextEnabled(bool enabled);
    virtual bool isDrawCenterTextEnabled() const { return drawCenterTextEnabled(); }
    // Fractions of the radius.
    virtual double holeRadiusPercent() const { return holeRadiusPercent_; }
    virtual void setHoleRadiusPercent(double percent);
    virtual std::optional<QColor> transparentCircleColor() const { return transparentCircleColor_; }
    virtual void setTransparentCircleColor(std::optional<QColor> color);
    virtual double transparentCircleRadiusPercent() const {
        return transparentCircleRadiusPercent_;
    }
    virtual void setTransparentCircleRadiusPercent(double percent);
    virtual std::optional<QColor> entryLabelColor() const { return entryLabelColor_; }
    virtual void setEntryLabelColor(std::optional<QColor> color);
    virtual std::optional<QFont> entryLabelFont() const { return entryLabelFont_; }
    virtual void setEntryLabelFont(std::optional<QFont> font);
    virtual bool drawEntryLabelsEnabled() const { return drawEntryLabelsEnabled_; }
    virtual void setDrawEntryLabelsEnabled(bool enabled);
    virtual bool isDrawEntryLabelsEnabled() const { return drawEntryLabelsEnabled(); }
    virtual bool usePercentValuesEnabled() const { return usePercentValuesEnabled_; }
    virtual void setUsePercentValuesEnabled(bool enabled);
    virtual bool isUsePercentValuesEnabled() const { return usePercentValuesEnabled(); }
    // The centre text's box as a fraction of the hole.
    virtual double centerTextRadiusPercent() const { return centerTextRadiusPercent_; }
    virtual void setCenterTextRadiusPercent(double percent);
    // Degrees the whole pie covers, kept within 90...360; no redraw.
    virtual double maxAngle() const { return maxAngle_; }
    virtual void setMaxAngle(double angle);
    // The smallest slice (degrees) that gets texts.
    virtual double sliceTextDrawingThreshold() const { return sliceTextDrawingThreshold_; }
    virtual void setSliceTextDrawingThreshold(double threshold);

    void calculateOffsets() override;
    // The data pass: the slice angles.
    void computeAxisRanges() override { computeSliceAngles(); }
    // Inside the slice, half-way across the ring (or 0.36 of the radius in from the rim).
    platform::Point getMarkerPosition(const Highlight& highlight) override;
    void drawRect(GraphicsContext* context, const platform::Rect& rect) override;

private:
    bool isHalfPie();

    platform::Rect circleBox_{0, 0, 0, 0};
    bool drawEntryLabelsEnabled_ = true;
    std::vector<double> drawAngles_;
    std::vector<double> absoluteAngles_;
    bool drawHoleEnabled_ = true;
    std::optional<QColor> holeColor_ = QColor(Qt::white);
    std::optional<QColor> entryLabelColor_ = QColor(Qt::white);
    std::optional<QFont> entryLabelFont_;
    bool drawSlicesUnderHoleEnabled_ = false;
    bool usePercentValuesEnabled_ = false;
    std::optional<AttributedText> centerAttributedText_;
    platform::Point centerTextOffset_{0, 0};
    double holeRadiusPercent_ = 0.5;
    std::optional<QColor> transparentCircleColor_ = QColor(255, 255, 255, 105);
    double transparentCircleRadiusPercent_ = 0.55;
    bool drawCenterTextEnabled_ = true;
    double centerTextRadiusPercent_ = 1.0;
    double maxAngle_ = 360;
    double sliceTextDrawingThreshold_ = 0;
};

} // namespace charting
