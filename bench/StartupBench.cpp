// Start-up benchmark: from constructing the main dialog to the start page's completed document,
// and the UI process's peak memory, each over fresh processes; prints the medians.
// Run under a display: xvfb-run -a build/bench/bench_startup [runs]
#include <gtk/gtk.h>
#include <libsoup/soup.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "engine/WebBrowser.h"
#include "mainwnd/CorvaneDlg.h"
#include "platform/afx/WinApp.h"
#include "platform/com/Apartment.h"
#include "platform/com/TextConv.h"
#include "res/ProgramResources.h"

namespace {

constexpr char kPage[] =
    "<html><head><title>Bench</title></head><body><h1>Start</h1><p>A local page.</p></body>"
    "</html>";

void ServePage(SoupServer*, SoupServerMessage* message, const char*, GHashTable*, gpointer) {
    soup_server_message_set_status(message, SOUP_STATUS_OK, nullptr);
    soup_server_message_set_response(message, "text/html", SOUP_MEMORY_STATIC, kPage,
                                     sizeof kPage - 1);
}

// The dialog's document is complete when the engine reports the page's title.
bool PageComplete(CCorvaneDlg& dialog) {
    if (!dialog.m_pBrowserApp) return false;
    READYSTATE state = READYSTATE_UNINITIALIZED;
    BSTR name = nullptr;
    dialog.m_pBrowserApp->get_ReadyState(&state);
    dialog.m_pBrowserApp->get_LocationName(&name);
    const bool done = state == READYSTATE_COMPLETE && name && std::u16string(name) == u"Bench";
    SysFreeString(name);
    return done;
}

// One start in this process: prints milliseconds to the completed page and peak RSS in MB.
int RunOnce() {
    if (!gtk_init_check(nullptr, nullptr)) return 1;
    SoupServer* server = soup_server_new(nullptr, nullptr);
    soup_server_add_handler(server, nullptr, ServePage, nullptr, nullptr);
    if (!soup_server_listen_local(server, 0, SOUP_SERVER_LISTEN_IPV4_ONLY, nullptr)) return 1;
    GSList* uris = soup_server_get_uris(server);
    char* uri = g_uri_to_string(static_cast<GUri*>(uris->data));
    const std::u16string address = Utf8ToWide(uri);

    CWinApp app(u"Veltrisk");
    SetProgramResources(ProgramResources());
    RegisterWebBrowserClass();
    SetMessageFilter(&AfxPreTranslateMessage);
    CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);

    const gint64 start = g_get_monotonic_time();
    gint64 complete = 0;
    CCorvaneDlg dialog;
    dialog.m_pszStartUrl = address.c_str();
    app.m_pMainWnd = &dialog;
    struct Watch {
        CCorvaneDlg* dialog;
        gint64* complete;
    } watch{&dialog, &complete};
    g_timeout_add(
        5,
        [](gpointer data) -> gboolean {
            auto* w = static_cast<Watch*>(data);
            if (!PageComplete(*w->dialog)) return G_SOURCE_CONTINUE;
            *w->complete = g_get_monotonic_time();
            w->dialog->EndDialog(0);
            return G_SOURCE_REMOVE;
        },
        &watch);
    dialog.DoModal();
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    std::printf("%.0f %.0f\n", (complete - start) / 1000.0, usage.ru_maxrss / 1024.0);
    g_free(uri);
    g_slist_free_full(uris, reinterpret_cast<GDestroyNotify>(g_uri_unref));
    return complete ? 0 : 1;
}

double Median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    return values.empty() ? 0 : values[values.size() / 2];
}

}  // namespace

int main(int argc, char** argv) {
    if (argc > 1 && std::string(argv[1]) == "--once") return RunOnce();
    const int runs = argc > 1 ? std::max(1, std::atoi(argv[1])) : 5;
    std::vector<double> times, memory;
    for (int i = 0; i < runs; ++i) {
        const std::string command = std::string(argv[0]) + " --once";
        FILE* child = popen(command.c_str(), "r");
        double ms = 0, mb = 0;
        if (!child || std::fscanf(child, "%lf %lf", &ms, &mb) != 2) {
            std::fprintf(stderr, "run %d failed\n", i + 1);
            if (child) pclose(child);
            return 1;
        }
        pclose(child);
        times.push_back(ms);
        memory.push_back(mb);
    }
    std::printf("start to completed page: median %.0f ms over %d runs\n", Median(times), runs);
    std::printf("UI process peak RSS:     median %.0f MB\n", Median(memory));
    return 0;
}
