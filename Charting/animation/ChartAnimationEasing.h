#pragma once

#include <functional>

namespace charting {

// An easing function: (elapsed seconds, duration seconds) -> phase. Empty means linear.
using ChartEasingFunctionBlock = std::function<double(double elapsed, double duration)>;

// The 31 easing curves, by their raw values.
enum class ChartEasingOption : int {
    linear = 0,
    easeInQuad,
    easeOutQuad,
    easeInOutQuad,
    easeInCubic,
    easeOutCubic,
    easeInOutCubic,
    easeInQuart,
    easeOutQuart,
    easeInOutQuart,
    easeInQuint,
    easeOutQuint,
    easeInOutQuint,
    easeInSine,
    easeOutSine,
    easeInOutSine,
    easeInExpo,
    easeOutExpo,
    easeInOutExpo,
    easeInCirc,
    easeOutCirc,
    easeInOutCirc,
    easeInElastic,
    easeOutElastic,
    easeInOutElastic,
    easeInBack,
    easeOutBack,
    easeInOutBack,
    easeInBounce,
    easeOutBounce,
    easeInOutBounce,
};

// The curve of an option; a raw value outside 0...30 stops the program.
ChartEasingFunctionBlock easingFunctionForOption(ChartEasingOption option);

// The phase `elapsed` seconds into an animation of `duration` seconds: elapsed is capped at the
// duration, and without an easing the phase is linear (elapsed / duration).
double easedPhase(const ChartEasingFunctionBlock& easing, double elapsed, double duration);

// The curves themselves, as plain functions of (elapsed, duration).
namespace EasingFunctions {
double linear(double t, double d);
double easeInQuad(double t, double d);
double easeOutQuad(double t, double d);
double easeInOutQuad(double t, double d);
double easeInCubic(double t, double d);
double easeOutCubic(double t, double d);
double easeInOutCubic(double t, double d);
double easeInQuart(double t, double d);
double easeOutQuart(double t, double d);
double easeInOutQuart(double t, double d);
double easeInQuint(double t, double d);
double easeOutQuint(double t, double d);
double easeInOutQuint(double t, double d);
double easeInSine(double t, double d);
double easeOutSine(double t, double d);
double easeInOutSine(double t, double d);
double easeInExpo(double t, double d);
double easeOutExpo(double t, double d);
double easeInOutExpo(double t, double d);
double easeInCirc(double t, double d);
double easeOutCirc(double t, double d);
double easeInOutCirc(double t, double d);
double easeInElastic(double t, double d);
double easeOutElastic(double t, double d);
double easeInOutElastic(double t, double d);
double easeInBack(double t, double d);
double easeOutBack(double t, double d);
double easeInOutBack(double t, double d);
double easeInBounce(double t, double d);
double easeOutBounce(double t, double d);
double easeInOutBounce(double t, double d);
} // namespace EasingFunctions

} // namespace charting
