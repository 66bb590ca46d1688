// Test programs that open windows: GTK needs the display before any test runs.
#include <gtest/gtest.h>
#include <gtk/gtk.h>

#include <cstdio>

int main(int argc, char** argv) {
    testing::InitGoogleTest(&argc, argv);
    if (!gtk_init_check(&argc, &argv)) {
        std::fprintf(stderr, "no display: run the GUI tests under xvfb-run\n");
        return 1;
    }
    return RUN_ALL_TESTS();
}
