// Posted messages, the nested message loops and the key-down filter, over the GTK main loop.
#include <deque>

#include "platform/win/WindowRecord.h"

namespace {

std::deque<MSG>& Queue() {
    static std::deque<MSG> queue;
    return queue;
}

MessageFilter g_filter = nullptr;

gboolean DeliverPosted(gpointer) {
    // Deliver what was queued before this turn; messages posted meanwhile wait for the next one.
    for (std::size_t n = Queue().size(); n > 0 && !Queue().empty(); --n) {
        MSG msg = Queue().front();
        Queue().pop_front();
        if (LiveWindow(msg.hwnd)) SendMessageW(msg.hwnd, msg.message, msg.wParam, msg.lParam);
    }
    return G_SOURCE_REMOVE;
}

}  // namespace

BOOL PostMessageW(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (!LiveWindow(window)) return FALSE;
    if (Queue().empty()) g_idle_add_full(G_PRIORITY_DEFAULT, DeliverPosted, nullptr, nullptr);
    Queue().push_back(MSG{window, message, wParam, lParam, 0, {0, 0}});
    return TRUE;
}

void PumpMessagesUntil(const bool& done) {
    while (!done) g_main_context_iteration(nullptr, TRUE);
}

void SetMessageFilter(MessageFilter filter) {
    g_filter = filter;
}

bool FilterMessage(MSG* msg) {
    return g_filter && g_filter(msg);
}
