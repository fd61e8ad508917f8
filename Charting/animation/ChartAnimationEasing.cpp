#include "Charting/animation/ChartAnimationEasing.h"

#include "platform/Fatal.h"

#include <algorithm>
#include <cmath>
#include <string>

namespace charting {
namespace EasingFunctions {
namespace {
constexpr double kPi = 3.14159265358979323846;
constexpr double kTwoPi = 2.0 * kPi;

double bounce(double x) {
    if (x < 1.0 / 2.75)
        return 7.5625 * x * x;
    if (x < 2.0 / 2.75) {
        const double y = x - 1.5 / 2.75;
        return 7.5625 * y * y + 0.75;
    }
    if (x < 2.5 / 2.75) {
        const double y = x - 2.25 / 2.75;
        return 7.5625 * y * y + 0.9375;
    }
    const double y = x - 2.625 / 2.75;
    return 7.5625 * y * y + 0.984375;
}

// A quarter of the period, subtracted inside the sine of the elastic curves.
double elasticShift(double period) {
    return period / kTwoPi * (kPi / 2.0);
}
} // namespace

double linear(double t, double d) {
    return t / d;
}

double easeInQuad(double t, double d) {
    const double p = t / d;
    return p * p;
}

double easeOutQuad(double t, double d) {
    const double p = t / d;
    return -p * (p - 2.0);
}

double easeInOutQuad(double t, double d) {
    const double q = t / (d * 0.5);
    if (q < 1.0)
        return 0.5 * q * q;
    return -0.5 * ((q - 1.0) * (q - 3.0) - 1.0);
}

double easeInCubic(double t, double d) {
    const double p = t / d;
    return p * p * p;
}

double easeOutCubic(double t, double d) {
    const double r = t / d - 1.0;
    return r * r * r + 1.0;
}

double easeInOutCubic(double t, double d) {
    const double q = t / (d * 0.5);
    if (q < 1.0)
        return 0.5 * q * q * q;
    const double r = q - 2.0;
    return 0.5 * (r * r * r + 2.0);
}

double easeInQuart(double t, double d) {
    const double p = t / d;
    return p * p * p * p;
}

double easeOutQuart(double t, double d) {
    const double r = t / d - 1.0;
    return -(r * r * r * r - 1.0);
}

double easeInOutQuart(double t, double d) {
    const double q = t / (d * 0.5);
    if (q < 1.0)
        return 0.5 * q * q * q * q;
    const double r = q - 2.0;
    return -0.5 * (r * r * r * r - 2.0);
}

double easeInQuint(double t, double d) {
    const double p = t / d;
    return p * p * p * p * p;
}

double easeOutQuint(double t, double d) {
    const double r = t / d - 1.0;
    return r * r * r * r * r + 1.0;
}

double easeInOutQuint(double t, double d) {
    const double q = t / (d * 0.5);
    if (q < 1.0)
        return 0.5 * q * q * q * q * q;
    const double r = q - 2.0;
    return 0.5 * (r * r * r * r * r + 2.0);
}

double easeInSine(double t, double d) {
    return 1.0 - std::cos(t / d * kPi * 0.5);
}

double easeOutSine(double t, double d) {
    return std::sin(t / d * kPi * 0.5);
}

double easeInOutSine(double t, double d) {
    return -0.5 * (std::cos(kPi * (t / d)) - 1.0);
}

double easeInExpo(double t, double d) {
    if (t == 0.0)
        return 0.0;
    return std::pow(2.0, 10.0 * (t / d - 1.0));
}

double easeOutExpo(double t, double d) {
    if (t == d)
        return 1.0;
    return 1.0 - std::pow(2.0, -10.0 * t / d);
}

double easeInOutExpo(double t, double d) {
    if (t == 0.0)
        return 0.0;
    if (t == d)
        return 1.0;
    const double q = t / (d * 0.5);
    if (q < 1.0)
        return 0.5 * std::pow(2.0, 10.0 * (q - 1.0));
    return 0.5 * (2.0 - std::pow(2.0, -10.0 * (q - 1.0)));
}

double easeInCirc(double t, double d) {
    const double p = t / d;
    return -(std::sqrt(1.0 - p * p) - 1.0);
}

double easeOutCirc(double t, double d) {
    const double r = t / d - 1.0;
    return std::sqrt(1.0 - r * r);
}

double easeInOutCirc(double t, double d) {
    const double q = t / (d * 0.5);
    if (q < 1.0)
        return -0.5 * (std::sqrt(1.0 - q * q) - 1.0);
    const double r = q - 2.0;
    return 0.5 * (std::sqrt(1.0 - r * r) + 1.0);
}

double easeInElastic(double t, double d) {
    if (t == 0.0)
        return 0.0;
    const double p = t / d;
    if (p == 1.0)
        return 1.0;
    const double period = d * 0.3;
    const double s = elasticShift(period);
    const double r = p - 1.0;
    return -(std::pow(2.0, 10.0 * r) * std::sin((r * d - s) * kTwoPi / period));
}

double easeOutElastic(double t, double d) {
    if (t == 0.0)
        return 0.0;
    const double p = t / d;
    if (p == 1.0)
        return 1.0;
    const double period = d * 0.3;
    const double s = elasticShift(period);
    return std::pow(2.0, -10.0 * p) * std::sin((p * d - s) * kTwoPi / period) + 1.0;
}

double easeInOutElastic(double t, double d) {
    if (t == 0.0)
        return 0.0;
    const double q = t / (d * 0.5);
    if (q == 2.0)
        return 1.0;
    const double period = d * (0.3 * 1.5);
    const double s = elasticShift(period);
    const double r = q - 1.0;
    const double v = std::sin((r * d - s) * kTwoPi / period);
    if (q < 1.0)
        return -0.5 * std::pow(2.0, 10.0 * r) * v;
    return 0.5 * std::pow(2.0, -10.0 * r) * v + 1.0;
}

// The back curves overshoot by s = 1.70158 (s + 1 = 2.70158); the in-out form by s x 1.525.
double easeInBack(double t, double d) {
    const double p = t / d;
    return p * p * (2.70158 * p - 1.70158);
}

double easeOutBack(double t, double d) {
    const double r = t / d - 1.0;
    return r * r * (2.70158 * r + 1.70158) + 1.0;
}

double easeInOutBack(double t, double d) {
    const double q = t / (d * 0.5);
    if (q < 1.0)
        return 0.5 * (q * q * (3.5949095 * q - 2.5949095));
    const double r = q - 2.0;
    return 0.5 * (r * r * (3.5949095 * r + 2.5949095) + 2.0);
}

double easeInBounce(double t, double d) {
    return 1.0 - bounce((d - t) / d);
}

double easeOutBounce(double t, double d) {
    return bounce(t / d);
}

double easeInOutBounce(double t, double d) {
    if (t < d * 0.5)
        return 0.5 * (1.0 - bounce((d - 2.0 * t) / d));
    return 0.5 * bounce((2.0 * t - d) / d) + 0.5;
}

} // namespace EasingFunctions

ChartEasingFunctionBlock easingFunctionForOption(ChartEasingOption option) {
    using namespace EasingFunctions;
    static double (*const table[])(double, double) = {
        linear,           easeInQuad,  easeOutQuad,  easeInOutQuad,  easeInCubic,   easeOutCubic,
        easeInOutCubic,   easeInQuart, easeOutQuart, easeInOutQuart, easeInQuint,   easeOutQuint,
        easeInOutQuint,   easeInSine,  easeOutSine,  easeInOutSine,  easeInExpo,    easeOutExpo,
        easeInOutExpo,    easeInCirc,  easeOutCirc,  easeInOutCirc,  easeInElastic, easeOutElastic,
        easeInOutElastic, easeInBack,  easeOutBack,  easeInOutBack,  easeInBounce,  easeOutBounce,
        easeInOutBounce};
    const int raw = static_cast<int>(option);
    if (raw < 0 || raw >= static_cast<int>(std::size(table)))
        platform::fatal("ChartEasingOption: unknown raw value " + std::to_string(raw));
    return table[raw];
}

double easedPhase(const ChartEasingFunctionBlock& easing, double elapsed, double duration) {
    elapsed = std::min(elapsed, duration);
    return easing ? easing(elapsed, duration) : elapsed / duration;
}

} // namespace charting
