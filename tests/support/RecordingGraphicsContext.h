#pragma once

#include "Charting/utils/GraphicsContext.h"

#include <optional>
#include <string>
#include <vector>

namespace charting {

// Paints nothing and logs every call with the state in effect, for exact renderer tests.
class RecordingGraphicsContext : public GraphicsContext {
public:
    struct Call {
        std::string op;                           // the operation's name, e.g. "strokePath"
        std::vector<double> args;                 // its numeric arguments, as given
        Path path;                                // the device path painted or clipped to
        QString text;                             // drawText, drawTextInRect
        std::optional<TextAttributes> attributes; // drawText, drawTextInRect
        State state;                              // in effect after the call
    };

    const std::vector<Call>& calls() const { return calls_; }
    std::vector<Call> callsNamed(const std::string& op) const;
    // The calls that put something on the surface (strokes, fills, gradients, images, text).
    std::vector<Call> paintCalls() const;
    void clear() { calls_.clear(); }

protected:
    void paintPath(const Path&, PaintKind, FillRule, const State&) override {}
    void paintLinearGradient(const Gradient&, platform::Point, platform::Point, unsigned,
                             const State&) override {}
    void paintRadialGradient(const Gradient&, platform::Point, double, platform::Point, double,
                             unsigned, const State&) override {}
    void paintImage(const QImage&, const platform::Rect&, bool, const State&) override {}
    void paintText(const QString&, const platform::Rect&, bool, const TextAttributes&,
                   const State&) override {}
    void noteCall(const char* op, std::vector<double> args, const Path& devicePath,
                  const QString& text, const TextAttributes* attributes) override;

private:
    std::vector<Call> calls_;
};

} // namespace charting
