#include <gtest/gtest.h>
#include <gtk/gtk.h>

#include <cstdlib>

#include "platform/win/DeviceContext.h"
#include "support/ScreenTest.h"

TEST(DeviceContext, NullContextHasNoCaps) {
    EXPECT_EQ(GetDeviceCaps(nullptr, LOGPIXELSX), 0);
    EXPECT_EQ(ReleaseDC(nullptr, nullptr), 0);
}

// In a fresh process, so that no other test has opened the display yet.
TEST(DeviceContext, NoScreenBeforeGtkOpensTheDisplay) {
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    EXPECT_EXIT(std::exit(GetDC(nullptr) == nullptr ? 0 : 1), testing::ExitedWithCode(0), "");
}

using DeviceContextScreen = ScreenTest;

TEST_F(DeviceContextScreen, LogPixelsIsTheRoundedScreenResolution) {
    struct Case {
        double resolution;
        int dotsPerInch;
    };
    const Case cases[] = {{96, 96}, {120, 120}, {143.6, 144}, {119.4, 119}, {-1, 96}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.resolution);
        gdk_screen_set_resolution(gdk_screen_get_default(), c.resolution);
        const HDC dc = GetDC(nullptr);
        ASSERT_NE(dc, nullptr);
        EXPECT_EQ(GetDeviceCaps(dc, LOGPIXELSX), c.dotsPerInch);
        EXPECT_EQ(GetDeviceCaps(dc, LOGPIXELSX + 2), 0);
        EXPECT_EQ(ReleaseDC(nullptr, dc), 1);
    }
}
