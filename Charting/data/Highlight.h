#pragma once

#include "Charting/components/AxisDependency.h"
#include "platform/Geometry.h"

#include <QString>

#include <limits>
#include <memory>

namespace charting {

// A selected value: the entry's x and y, its position in view pixels, the data set it belongs to
// and that data set's axis. Only dataIndex and the draw position change after creation.
class Highlight {
public:
    static std::shared_ptr<Highlight> create();
    static std::shared_ptr<Highlight> create(double x, double y, double xPx, double yPx,
                                             int dataIndex, int dataSetIndex, int stackIndex,
                                             AxisDependency axis);
    // dataIndex and stackIndex -1.
    static std::shared_ptr<Highlight> create(double x, double y, double xPx, double yPx,
                                             int dataSetIndex, AxisDependency axis);
    // No pixel position, stackIndex -1, left axis.
    static std::shared_ptr<Highlight> create(double x, double y, int dataSetIndex, int dataIndex);
    // dataIndex 0.
    static std::shared_ptr<Highlight> create(double x, double y, double xPx, double yPx,
                                             int dataSetIndex, int stackIndex, AxisDependency axis);
    // y NaN, dataIndex -1, no pixel position.
    static std::shared_ptr<Highlight> create(double x, int dataSetIndex, int stackIndex);

    virtual ~Highlight() = default;
    Highlight(const Highlight&) = delete;
    Highlight& operator=(const Highlight&) = delete;

    virtual int dataIndex() const { return dataIndex_; }
    virtual void setDataIndex(int index) { dataIndex_ = index; }
    virtual double drawX() const { return drawX_; }
    virtual void setDrawX(double x) { drawX_ = x; }
    virtual double drawY() const { return drawY_; }
    virtual void setDrawY(double y) { drawY_ = y; }

    virtual double x() const { return x_; }
    virtual double y() const { return y_; }
    virtual double xPx() const { return xPx_; }
    virtual double yPx() const { return yPx_; }
    virtual int dataSetIndex() const { return dataSetIndex_; }
    virtual int stackIndex() const { return stackIndex_; }
    virtual AxisDependency axis() const { return axis_; }
    virtual bool isStacked() const { return stackIndex_ >= 0; }

    // The point where a renderer drew the highlight.
    virtual void setDraw(double x, double y);
    virtual void setDraw(platform::Point point);

    virtual QString description() const;
    // False for nothing; true for this very object; otherwise equal x, y, dataIndex,
    // dataSetIndex and stackIndex (a NaN x or y equals nothing else).
    virtual bool isEqual(const Highlight* other) const;

protected:
    Highlight() = default;

private:
    double x_ = std::numeric_limits<double>::quiet_NaN();
    double y_ = std::numeric_limits<double>::quiet_NaN();
    double xPx_ = std::numeric_limits<double>::quiet_NaN();
    double yPx_ = std::numeric_limits<double>::quiet_NaN();
    int dataIndex_ = -1;
    int dataSetIndex_ = 0;
    int stackIndex_ = -1;
    AxisDependency axis_ = AxisDependency::left;
    double drawX_ = 0;
    double drawY_ = 0;
};

} // namespace charting
