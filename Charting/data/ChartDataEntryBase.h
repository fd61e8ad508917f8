#pragma once

#include <QImage>
#include <QString>

#include <any>
#include <memory>
#include <optional>

namespace charting {

// One plotted value: a y value, a payload of the caller's choosing (carried and copied, never
// read) and an optional icon. Entries are shared reference objects: several data sets may hold
// the same entry. Changing a field of a held entry does not update any data set's extremes.
class ChartDataEntryBase {
public:
    static std::shared_ptr<ChartDataEntryBase> create();
    static std::shared_ptr<ChartDataEntryBase> create(double y);
    static std::shared_ptr<ChartDataEntryBase> create(double y, std::any data);
    static std::shared_ptr<ChartDataEntryBase> create(double y, QImage icon);
    static std::shared_ptr<ChartDataEntryBase> create(double y, QImage icon, std::any data);

    virtual ~ChartDataEntryBase() = default;
    ChartDataEntryBase(const ChartDataEntryBase&) = delete;
    ChartDataEntryBase& operator=(const ChartDataEntryBase&) = delete;

    virtual double y() const { return y_; }
    virtual void setY(double y) { y_ = y; }
    virtual const std::any& data() const { return data_; }
    virtual void setData(std::any data) { data_ = std::move(data); }
    virtual const std::optional<QImage>& icon() const { return icon_; }
    virtual void setIcon(std::optional<QImage> icon) { icon_ = std::move(icon); }

    // "ChartDataEntryBase, y 5.0"
    virtual QString description() const;

    // False for nothing or a non-entry; true for this very object; otherwise equal y values
    // (a NaN y is never equal). Payload and icon take no part.
    virtual bool isEqual(const ChartDataEntryBase* other) const;

protected:
    ChartDataEntryBase() = default;
    explicit ChartDataEntryBase(double y) : y_(y) {}

private:
    double y_ = 0;
    std::any data_;
    std::optional<QImage> icon_;
};

} // namespace charting
