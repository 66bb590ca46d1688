// Tests of what the screen reports: they open the display themselves (their programs have no
// GUI main) and put the resolution back afterwards.
#pragma once

#include <gtest/gtest.h>
#include <gtk/gtk.h>

#include <cstdlib>

class ScreenTest : public testing::Test {
protected:
    void SetUp() override {
        if (!std::getenv("DISPLAY")) GTEST_SKIP() << "needs a display (CI runs under Xvfb)";
        ASSERT_TRUE(gtk_init_check(nullptr, nullptr));
    }
    void TearDown() override {
        if (GdkScreen* screen = gdk_screen_get_default()) gdk_screen_set_resolution(screen, -1);
    }
};
