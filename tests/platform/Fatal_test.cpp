#include "platform/Fatal.h"
#include "platform/Log.h"

#include <gtest/gtest.h>

TEST(FatalDeathTest, PrintsTheMessageAndAborts) {
    EXPECT_DEATH(platform::fatal("calcMinMax is not implemented in ChartBaseDataSet"),
                 "calcMinMax is not implemented in ChartBaseDataSet");
}

TEST(Log, CaptureSeesEachLineAndRestoresThePreviousSink) {
    std::vector<std::string> outer;
    auto previous = platform::setLogSink([&](std::string_view l) { outer.emplace_back(l); });
    {
        platform::ScopedLogCapture capture;
        platform::logLine("first");
        platform::logLine("second");
        EXPECT_EQ(capture.lines(), (std::vector<std::string>{"first", "second"}));
    }
    platform::logLine("third");
    platform::setLogSink(std::move(previous));
    EXPECT_EQ(outer, std::vector<std::string>{"third"});
}
