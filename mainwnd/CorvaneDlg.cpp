#include "mainwnd/CorvaneDlg.h"

#include <cstdlib>
#include <string>

#include "app/DisplayZoom.h"
#include "host/CorvaneControlSite.h"
#include "platform/afx/WinApp.h"
#include "platform/win/CommonControls.h"
#include "res/ResourceIds.h"

namespace {

constexpr int kAddressBarHeight = 27;
constexpr int kHistorySize = 7;
constexpr int kHistoryItemBuffer = 2048;
constexpr UINT kAddressBoxId = 1004;
constexpr DWORD kRebarCtrlStyle = RBS_AUTOSIZE;
constexpr DWORD kRebarStyle =
    WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | WS_CLIPCHILDREN | WS_BORDER | CBRS_TOP;
constexpr DWORD kAddressBoxStyle = WS_CHILD | WS_VISIBLE | WS_TABSTOP | CBS_DROPDOWN;
// The edit field's extra style bits have no meaning as an extended style; they are kept.
constexpr DWORD kAddressEditExStyle = 0x00800000;
constexpr WCHAR kControlPanelModule[] = u"Shell32.dll";
constexpr char kControlPanelRunner[] = "Control_RunDLLW";
constexpr WCHAR kInternetOptionsApplet[] = u"inetcpl.cpl,,0";

}  // namespace

CCorvaneDlg::CCorvaneDlg(CWnd*)
    : CDHtmlDialog(IDD_MAIN_DIALOG, IDR_HTML_BLANK, nullptr),
      m_hIcon(LoadIconW(AfxGetResourceHandle(), MAKEINTRESOURCEW(IDR_MAINFRAME))),
      m_pszStartUrl(nullptr) {}

CCorvaneDlg::~CCorvaneDlg() = default;

BOOL CCorvaneDlg::OnInitDialog() {
    BeginWaitCursor();
    m_dwHostFlags &= ~DOCHOSTUIFLAG_SCROLL_NO;
    m_nFlags |= WF_NOISDIALOGMSG;
    if (!CDHtmlDialog::OnInitDialog()) return FALSE;
    SendMessage(WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(m_hIcon));
    SendMessage(WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(m_hIcon));
    CreateAddressBar();
    if (m_pszStartUrl) Navigate(m_pszStartUrl);
    return TRUE;
}

void CCorvaneDlg::CreateAddressBar() {
    m_wndReBar.Create(this, kRebarCtrlStyle, kRebarStyle, AFX_IDW_REBAR);
    m_wndAddress.Create(kAddressBoxStyle, RECT{0, 0, 100, 150}, this, kAddressBoxId);
    CWnd::ModifyStyleEx(AddressEdit(), 0, kAddressEditExStyle, 0);
    CString label;
    if (!label.LoadString(IDS_ADDRESS)) label.Empty();
    m_wndReBar.AddBar(&m_wndAddress, label, nullptr, RBBS_NOGRIPPER);
    RECT client{};
    GetClientRect(&client);
    const int width = client.right - client.left;
    const int height = client.bottom - client.top;
    m_wndBrowser.MoveWindow(0, kAddressBarHeight, width, height - kAddressBarHeight, TRUE);
    m_wndReBar.SetWindowPos(nullptr, 0, 0, width, kAddressBarHeight, SWP_NOMOVE);
    Invalidate(TRUE);
}

void CCorvaneDlg::OnSize(UINT type, int cx, int cy) {
    CDHtmlDialog::OnSize(type, cx, cy);
    if (!IsWindow(m_wndReBar.m_hWnd)) return;
    m_wndReBar.SetWindowPos(nullptr, 0, 0, cx, kAddressBarHeight, SWP_NOMOVE);
    m_wndBrowser.MoveWindow(0, kAddressBarHeight, cx, cy - kAddressBarHeight, TRUE);
}

HWND CCorvaneDlg::AddressEdit() const {
    return reinterpret_cast<HWND>(m_wndAddress.SendMessage(CBEM_GETEDITCONTROL));
}

BOOL CCorvaneDlg::PreTranslateMessage(MSG* msg) {
    if (msg->message != WM_KEYDOWN) return CDHtmlDialog::PreTranslateMessage(msg);
    if (GetFocus() == AddressEdit()) {
        if (msg->wParam == VK_RETURN) {
            NavigateFromAddressBox();
            return TRUE;
        }
        return CDHtmlDialog::PreTranslateMessage(msg);
    }
    // Enter and Esc belong to the page (or whatever has the focus), never to the dialog.
    if (msg->wParam == VK_RETURN || msg->wParam == VK_ESCAPE) return FALSE;
    return CDHtmlDialog::PreTranslateMessage(msg);
}

// The history keeps the 7 most recent distinct addresses, newest first.
void CCorvaneDlg::NavigateFromAddressBox() {
    const CString typed = GetWindowText(AddressEdit());
    if (typed.IsEmpty()) return;
    for (int i = 0; i < static_cast<int>(m_wndAddress.SendMessage(CB_GETCOUNT)); ++i) {
        WCHAR text[kHistoryItemBuffer] = {};
        COMBOBOXEXITEMW item{};
        item.mask = CBEIF_TEXT;
        item.iItem = i;
        item.pszText = text;
        item.cchTextMax = kHistoryItemBuffer;
        if (!m_wndAddress.SendMessage(CBEM_GETITEMW, 0, reinterpret_cast<LPARAM>(&item))) continue;
        if (!(typed == CString(text))) continue;
        if (i == 0) {
            Navigate(typed);
            return;
        }
        m_wndAddress.SendMessage(CBEM_DELETEITEM, static_cast<WPARAM>(i));
        break;
    }
    const auto count = static_cast<int>(m_wndAddress.SendMessage(CB_GETCOUNT));
    if (count >= kHistorySize)
        m_wndAddress.SendMessage(CBEM_DELETEITEM, static_cast<WPARAM>(count - 1));
    COMBOBOXEXITEMW item{};
    item.mask = CBEIF_TEXT;
    item.iItem = 0;
    item.pszText = const_cast<LPWSTR>(typed.GetString());
    m_wndAddress.SendMessage(CBEM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&item));
    Navigate(typed);
}

void CCorvaneDlg::OnNavigateComplete(IDispatch* disp, LPCWSTR url) {
    BSTR location = nullptr;
    m_pBrowserApp->get_LocationURL(&location);
    SetWindowTextW(AddressEdit(), location ? location : u"");
    SysFreeString(location);
    CDHtmlDialog::OnNavigateComplete(disp, url);
}

BOOL CCorvaneDlg::CreateControlSite(COleControlContainer* container, COleControlSite** site, UINT,
                                    REFCLSID) {
    return CreateCorvaneControlSite(this, container, site);
}

void CCorvaneDlg::OnBrowserDocumentComplete(IDispatch*, VARIANT*) {
    EndWaitCursor();
    CComPtr<IHTMLDocument2> document;
    if (FAILED(GetDHtmlDocument(&document)) || !document) return;
    VARIANT zoom;
    VariantInit(&zoom);
    zoom.vt = VT_I4;
    zoom.lVal = GetDisplayZoomPercent();
    m_pBrowserApp->ExecWB(OLECMDID_OPTICAL_ZOOM, OLECMDEXECOPT_DODEFAULT, &zoom, nullptr);
}

void CCorvaneDlg::OnClose() {
    EndDialog(0);
}

void CCorvaneDlg::OnWindowPosChanged(WINDOWPOS*) {
    Default();
}

void CCorvaneDlg::OnExit() {
    std::exit(0);
}

void CCorvaneDlg::OnInternetOptions() {
    HMODULE shell = LoadLibraryW(kControlPanelModule);
    if (!shell) return;
    using RunnerProc = void (*)(HWND, HINSTANCE, LPCWSTR, int);
    auto runner = reinterpret_cast<RunnerProc>(GetProcAddress(shell, kControlPanelRunner));
    if (!runner) return;
    runner(m_hWnd, AfxGetInstanceHandle(), kInternetOptionsApplet, SW_SHOW);
}

const AFX_MSGMAP* CCorvaneDlg::GetThisMessageMap() {
    static const AFX_MSGMAP_ENTRY entries[] = {
        OnMessage<&CCorvaneDlg::OnClose>(WM_CLOSE),
        OnMessage<&CCorvaneDlg::OnWindowPosChanged>(WM_WINDOWPOSCHANGED),
        OnMessage<&CCorvaneDlg::OnSize>(WM_SIZE),
        OnCommand<&CCorvaneDlg::OnExit>(ID_FILE_EXIT),
        OnCommand<&CCorvaneDlg::OnInternetOptions>(ID_FILE_INTERNET_OPTIONS),
    };
    static const AFX_MSGMAP map{&CDHtmlDialog::GetThisMessageMap, entries, std::size(entries)};
    return &map;
}

const AFX_EVENTSINKMAP* CCorvaneDlg::GetThisEventSinkMap() {
    static const AFX_EVENTSINKMAP_ENTRY entries[] = {
        SinkEvent<&CCorvaneDlg::OnBrowserDocumentComplete>(AFX_IDC_BROWSER,
                                                           DISPID_DOCUMENTCOMPLETE),
    };
    static const AFX_EVENTSINKMAP map{&CDHtmlDialog::GetThisEventSinkMap, entries,
                                      std::size(entries)};
    return &map;
}
