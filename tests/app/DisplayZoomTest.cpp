#include <gtest/gtest.h>
#include <gtk/gtk.h>

#include <cstdlib>

#include "app/DisplayZoom.h"
#include "support/ScreenTest.h"

// In a fresh process, so that no other test has opened the display yet.
TEST(DisplayZoom, NoScreenMeansNoZoom) {
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    EXPECT_EXIT(std::exit(GetDisplayZoomPercent()), testing::ExitedWithCode(100), "");
}

using DisplayZoomScreen = ScreenTest;

TEST_F(DisplayZoomScreen, FollowsTheScreenResolution) {
    struct Case {
        double resolution;
        int percent;
    };
    const Case cases[] = {{96, 100},  {120, 125}, {144, 150},   {168, 100}, {192, 200},
                          {240, 100}, {288, 100}, {119.6, 125}, {-1, 100}};
    for (const Case& c : cases) {
        gdk_screen_set_resolution(gdk_screen_get_default(), c.resolution);
        EXPECT_EQ(GetDisplayZoomPercent(), c.percent) << c.resolution << " dpi";
    }
}
