#include "support/MainLoop.h"

#include <glib.h>
#include <glib/gstdio.h>

#include <cstdlib>

bool RunUntil(const std::function<bool()>& done, int timeoutMs) {
    const gint64 deadline = g_get_monotonic_time() + gint64{timeoutMs} * 1000;
    while (!done()) {
        if (g_get_monotonic_time() >= deadline) return done();
        g_main_context_iteration(nullptr, FALSE);
        g_usleep(1000);
    }
    return true;
}

void RunFor(int ms) {
    RunUntil([] { return false; }, ms);
}

std::string TestOutputDir() {
    const char* dir = std::getenv("VELTRISK_TEST_OUTPUT");
    std::string path = dir && *dir ? dir : "/tmp/veltrisk-test-output";
    g_mkdir_with_parents(path.c_str(), 0755);
    return path;
}
