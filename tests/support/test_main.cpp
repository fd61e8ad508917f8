#ifdef OVX_TEST_WITHOUT_WIDGETS
#include <QCoreApplication>
using TestApplication = QCoreApplication;
#else
#include <QApplication>
using TestApplication = QApplication;
#endif

#include <gmock/gmock.h>
#include <gtest/gtest.h>

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    ::testing::InitGoogleMock(&argc, argv);
    // Death tests re-run the test program, which is safe with the threads Qt starts.
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    TestApplication app(argc, argv);
    return RUN_ALL_TESTS();
}
