#include "platform/win/Shell32.h"

#include <glib.h>

#include <string_view>

namespace {

struct SettingsTool {
    const char* program;
    const char* argument;
};

// Tools that edit the proxy settings GLib's resolver, and so the engine, reads.
constexpr SettingsTool kNetworkSettingsTools[] = {
    {"gnome-control-center", "network"},
    {"cinnamon-settings", "network"},
};

}  // namespace

void Control_RunDLLW(HWND, HINSTANCE, LPCWSTR command, int) {
    if (!command || std::u16string_view(command) != u"inetcpl.cpl,,0") return;
    for (const SettingsTool& tool : kNetworkSettingsTools) {
        gchar* path = g_find_program_in_path(tool.program);
        if (!path) continue;
        const gchar* argv[] = {path, tool.argument, nullptr};
        const bool started = g_spawn_async(nullptr, const_cast<gchar**>(argv), nullptr,
                                           G_SPAWN_DEFAULT, nullptr, nullptr, nullptr, nullptr);
        g_free(path);
        if (started) return;
    }
}
