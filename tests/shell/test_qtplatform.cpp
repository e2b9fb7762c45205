#include "gui/qtplatform.h"
#include "support/test_app.h"

#include <QTime>

#include <gtest/gtest.h>

namespace {

// The platform's own clock must agree with the local wall clock, or clocks and engine time limits
// drift from what the user sees.
TEST(QtPlatformClock, TimeOfDayIsLocalSecondsSinceMidnight)
{
    ensureApplication();
    QtPlatform host;
    const double before = QTime::currentTime().msecsSinceStartOfDay() / 1000.0;
    const double now = host.timeOfDay();
    const double after = QTime::currentTime().msecsSinceStartOfDay() / 1000.0;
    ASSERT_GE(now, 0.0);
    ASSERT_LT(now, 86400.0);
    if (after < before)
        GTEST_SKIP() << "midnight passed during the test";
    EXPECT_GE(now, before - 0.01);
    EXPECT_LE(now, after + 0.01);
}

} // namespace
