#include "Charting/animation/ChartAnimationEasing.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>

using charting::ChartEasingOption;
using charting::easingFunctionForOption;

namespace {

// The classic easing equations in their (t, b, c, d) form with b = 0 and c = 1, written out
// independently of the module's own.
double bounceOut(double t, double d) {
    t /= d;
    if (t < 1 / 2.75)
        return 7.5625 * t * t;
    if (t < 2 / 2.75) {
        t -= 1.5 / 2.75;
        return 7.5625 * t * t + .75;
    }
    if (t < 2.5 / 2.75) {
        t -= 2.25 / 2.75;
        return 7.5625 * t * t + .9375;
    }
    t -= 2.625 / 2.75;
    return 7.5625 * t * t + .984375;
}

double reference(int option, double t, double d) {
    const double pi = M_PI;
    switch (option) {
    case 0:
        return t / d;
    case 1:
        t /= d;
        return t * t;
    case 2:
        t /= d;
        return -t * (t - 2);
    case 3:
        t /= d / 2;
        if (t < 1)
            return t * t / 2;
        t--;
        return -(t * (t - 2) - 1) / 2;
    case 4:
        t /= d;
        return t * t * t;
    case 5:
        t = t / d - 1;
        return t * t * t + 1;
    case 6:
        t /= d / 2;
        if (t < 1)
            return t * t * t / 2;
        t -= 2;
        return (t * t * t + 2) / 2;
    case 7:
        t /= d;
        return t * t * t * t;
    case 8:
        t = t / d - 1;
        return -(t * t * t * t - 1);
    case 9:
        t /= d / 2;
        if (t < 1)
            return t * t * t * t / 2;
        t -= 2;
        return -(t * t * t * t - 2) / 2;
    case 10:
        t /= d;
        return t * t * t * t * t;
    case 11:
        t = t / d - 1;
        return t * t * t * t * t + 1;
    case 12:
        t /= d / 2;
        if (t < 1)
            return t * t * t * t * t / 2;
        t -= 2;
        return (t * t * t * t * t + 2) / 2;
    case 13:
        return -std::cos(t / d * (pi / 2)) + 1;
    case 14:
        return std::sin(t / d * (pi / 2));
    case 15:
        return -(std::cos(pi * t / d) - 1) / 2;
    case 16:
        return t == 0 ? 0 : std::pow(2, 10 * (t / d - 1));
    case 17:
        return t == d ? 1 : -std::pow(2, -10 * t / d) + 1;
    case 18:
        if (t == 0)
            return 0;
        if (t == d)
            return 1;
        t /= d / 2;
        if (t < 1)
            return std::pow(2, 10 * (t - 1)) / 2;
        return (-std::pow(2, -10 * --t) + 2) / 2;
    case 19:
        t /= d;
        return -(std::sqrt(1 - t * t) - 1);
    case 20:
        t = t / d - 1;
        return std::sqrt(1 - t * t);
    case 21:
        t /= d / 2;
        if (t < 1)
            return -(std::sqrt(1 - t * t) - 1) / 2;
        t -= 2;
        return (std::sqrt(1 - t * t) + 1) / 2;
    case 22: {
        if (t == 0)
            return 0;
        if ((t /= d) == 1)
            return 1;
        double p = d * .3, s = p / 4;
        t -= 1;
        return -(std::pow(2, 10 * t) * std::sin((t * d - s) * (2 * pi) / p));
    }
    case 23: {
        if (t == 0)
            return 0;
        if ((t /= d) == 1)
            return 1;
        double p = d * .3, s = p / 4;
        return std::pow(2, -10 * t) * std::sin((t * d - s) * (2 * pi) / p) + 1;
    }
    case 24: {
        if (t == 0)
            return 0;
        if ((t /= d / 2) == 2)
            return 1;
        double p = d * (.3 * 1.5), s = p / 4;
        t -= 1;
        if (t < 0)
            return -.5 * (std::pow(2, 10 * t) * std::sin((t * d - s) * (2 * pi) / p));
        return std::pow(2, -10 * t) * std::sin((t * d - s) * (2 * pi) / p) * .5 + 1;
    }
    case 25: {
        double s = 1.70158;
        t /= d;
        return t * t * ((s + 1) * t - s);
    }
    case 26: {
        double s = 1.70158;
        t = t / d - 1;
        return t * t * ((s + 1) * t + s) + 1;
    }
    case 27: {
        double s = 1.70158 * 1.525;
        t /= d / 2;
        if (t < 1)
            return (t * t * ((s + 1) * t - s)) / 2;
        t -= 2;
        return (t * t * ((s + 1) * t + s) + 2) / 2;
    }
    case 28:
        return 1 - bounceOut(d - t, d);
    case 29:
        return bounceOut(t, d);
    case 30:
        return t < d / 2 ? (1 - bounceOut(d - 2 * t, d)) * .5 : bounceOut(t * 2 - d, d) * .5 + .5;
    }
    return NAN;
}

} // namespace

TEST(ChartAnimationEasing, EveryCurveStartsAtZeroEndsAtOneAndFollowsTheClassicEquations) {
    const double duration = 1.5;
    for (int option = 0; option <= 30; ++option) {
        SCOPED_TRACE("option " + std::to_string(option));
        auto f = easingFunctionForOption(static_cast<ChartEasingOption>(option));
        EXPECT_NEAR(f(0, duration), 0.0, 1e-12);
        EXPECT_NEAR(f(duration, duration), 1.0, 1e-12);
        for (double fraction : {0.05, 0.2, 0.3, 0.42, 0.5, 0.61, 0.75, 0.9, 0.97}) {
            const double t = fraction * duration;
            EXPECT_NEAR(f(t, duration), reference(option, t, duration), 1e-12) << "at " << fraction;
        }
    }
}

TEST(ChartAnimationEasing, NotableValues) {
    using namespace charting::EasingFunctions;
    EXPECT_EQ(easeInOutQuad(1, 2), 0.5);
    EXPECT_EQ(easeOutBounce(2, 2), 1.0);
    EXPECT_EQ(easeOutBack(3, 3), 1.0);
    EXPECT_EQ(easeInOutElastic(3, 3), 1.0); // q = 2 exactly
    double lowest = 1;
    for (int i = 0; i <= 100; ++i)
        lowest = std::min(lowest, easeInBack(i / 100.0, 1));
    EXPECT_NEAR(lowest, -0.1, 0.001);
    double highest = 0;
    for (int i = 0; i <= 100; ++i)
        highest = std::max(highest, easeOutElastic(i / 100.0, 1));
    EXPECT_GT(highest, 1.0);
}

TEST(ChartAnimationEasingDeathTest, AnOptionOutsideTheTableStops) {
    for (int raw : {-1, 31}) {
        EXPECT_DEATH(easingFunctionForOption(static_cast<ChartEasingOption>(raw)),
                     "ChartEasingOption");
    }
}
