#pragma once

#include "Charting/components/ComponentBase.h"
#include "Charting/utils/TextAttributes.h"
#include "platform/Geometry.h"

#include <QColor>
#include <QFont>
#include <QString>

#include <memory>
#include <optional>

namespace charting {

// The chart's caption: a text and how it is placed. The chart view draws it just above the
// bottom-right corner of the content unless a position is given.
class Description : public ComponentBase {
public:
    static std::shared_ptr<Description> create();

    virtual std::optional<QString> text() const { return text_; }
    virtual void setText(std::optional<QString> text) { text_ = std::move(text); }
    virtual std::optional<platform::Point> position() const { return position_; }
    virtual void setPosition(std::optional<platform::Point> position) { position_ = position; }
    virtual TextAlignment textAlign() const { return textAlign_; }
    virtual void setTextAlign(TextAlignment align) { textAlign_ = align; }
    virtual QFont font() const { return font_; }
    virtual void setFont(QFont font) { font_ = std::move(font); }
    virtual QColor textColor() const { return textColor_; }
    virtual void setTextColor(QColor color) { textColor_ = color; }

protected:
    Description() = default;

private:
    std::optional<QString> text_;
    std::optional<platform::Point> position_;
    TextAlignment textAlign_ = TextAlignment::right;
    QFont font_;
    QColor textColor_;
};

} // namespace charting
