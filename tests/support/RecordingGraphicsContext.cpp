#include "support/RecordingGraphicsContext.h"

#include <algorithm>
#include <array>

namespace charting {

void RecordingGraphicsContext::noteCall(const char* op, std::vector<double> args,
                                        const Path& devicePath, const QString& text,
                                        const TextAttributes* attributes) {
    Call c{op, std::move(args), devicePath, text, std::nullopt, state()};
    if (attributes)
        c.attributes = *attributes;
    calls_.push_back(std::move(c));
}

std::vector<RecordingGraphicsContext::Call>
RecordingGraphicsContext::callsNamed(const std::string& op) const {
    std::vector<Call> out;
    for (const Call& c : calls_)
        if (c.op == op)
            out.push_back(c);
    return out;
}

std::vector<RecordingGraphicsContext::Call> RecordingGraphicsContext::paintCalls() const {
    static const std::array<const char*, 14> painting = {
        "strokePath", "fillPath",       "drawPath",      "strokeLineSegments", "fillRect",
        "strokeRect", "fillEllipse",    "strokeEllipse", "drawLinearGradient", "drawRadialGradient",
        "drawImage",  "drawTiledImage", "drawText",      "drawTextInRect"};
    std::vector<Call> out;
    for (const Call& c : calls_)
        if (std::find_if(painting.begin(), painting.end(),
                         [&](const char* p) { return c.op == p; }) != painting.end())
            out.push_back(c);
    return out;
}

} // namespace charting
