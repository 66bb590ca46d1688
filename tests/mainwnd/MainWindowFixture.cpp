#include "mainwnd/MainWindowFixture.h"

#include <cstdlib>

#include "engine/WebBrowser.h"
#include "platform/com/Apartment.h"
#include "platform/com/TextConv.h"
#include "platform/win/CommonControls.h"
#include "platform/win/WidgetWindow.h"
#include "res/ProgramResources.h"
#include "support/MainLoop.h"
#include "support/Screenshot.h"

void MainWindowTest::SetUpTestSuite() {
    SetProgramResources(ProgramResources());
    RegisterWebBrowserClass();
    SetMessageFilter(&AfxPreTranslateMessage);
    CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
}

void MainWindowTest::TearDown() {
    RunFor(50);
}

void MainWindowTest::RunDialog(CCorvaneDlg& dialog, const std::function<void(CCorvaneDlg&)>& body) {
    struct Run {
        CCorvaneDlg* dialog;
        const std::function<void(CCorvaneDlg&)>* body;
    } run{&dialog, &body};
    m_app.m_pMainWnd = &dialog;
    g_idle_add(
        [](gpointer data) {
            auto* r = static_cast<Run*>(data);
            GtkWidget* window = TopLevel(*r->dialog);
            gtk_window_present(GTK_WINDOW(window));
            RunUntil([&] { return gtk_window_is_active(GTK_WINDOW(window)) != FALSE; }, 5000);
            (*r->body)(*r->dialog);
            if (IsWindow(r->dialog->m_hWnd)) r->dialog->EndDialog(0);
            return G_SOURCE_REMOVE;
        },
        &run);
    dialog.DoModal();
    m_app.m_pMainWnd = nullptr;
}

std::string MainWindowTest::AddressText(CCorvaneDlg& dialog) {
    auto edit = reinterpret_cast<HWND>(dialog.m_wndAddress.SendMessage(CBEM_GETEDITCONTROL));
    return WideToUtf8(CWnd::GetWindowText(edit).Str());
}

void MainWindowTest::SetAddressText(CCorvaneDlg& dialog, const std::u16string& text) {
    auto edit = reinterpret_cast<HWND>(dialog.m_wndAddress.SendMessage(CBEM_GETEDITCONTROL));
    SetWindowTextW(edit, text.c_str());
    SetFocus(edit);
}

std::string MainWindowTest::LocationUrl(CCorvaneDlg& dialog) {
    BSTR url = nullptr;
    if (!dialog.m_pBrowserApp || FAILED(dialog.m_pBrowserApp->get_LocationURL(&url))) return {};
    std::string result = WideToUtf8(url ? url : u"");
    SysFreeString(url);
    return result;
}

bool MainWindowTest::WaitForLocation(CCorvaneDlg& dialog, const std::string& url) {
    return RunUntil([&] { return LocationUrl(dialog) == url && AddressText(dialog) == url; });
}

GtkWidget* MainWindowTest::TopLevel(CCorvaneDlg& dialog) {
    return GetWindowWidget(dialog.m_hWnd);
}

void MainWindowTest::PressKey(const char* key) {
    const std::string command = std::string("xdotool key --clearmodifiers ") + key;
    ASSERT_EQ(std::system(command.c_str()), 0) << command;
    RunFor(200);
}

void MainWindowTest::SaveScreenshot(CCorvaneDlg& dialog, const std::string& name) {
    RunFor(300);
    EXPECT_TRUE(SaveWidgetShot(TopLevel(dialog), name)) << name;
}
