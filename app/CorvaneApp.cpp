#include "app/CorvaneApp.h"

#include <cstdlib>

#include "app/CmdLineParams.h"
#include "app/VersionString.h"
#include "mainwnd/CorvaneDlg.h"
#include "platform/afx/ShellManager.h"
#include "platform/com/Apartment.h"
#include "platform/win/CommonControls.h"
#include "platform/win/LastError.h"
#include "platform/win/ShellFolder.h"

namespace {

constexpr WCHAR kSettingsFile[] = u"AppSettings.ini";
constexpr WCHAR kRegistryKey[] = u"Local AppWizard-Generated Applications";
constexpr WCHAR kCompanionFile[] = u"KVRDL.ocx";
constexpr char kCompanionEntry[] = "DllLocalRegister";
// On Linux the path separator is "/", here and wherever the settings folders are joined.
constexpr WCHAR kSeparator = u'/';

bool MakeFolder(const CString& path) {
    return CreateDirectoryW(path, nullptr) || GetLastError() == ERROR_ALREADY_EXISTS;
}

}  // namespace

CCorvaneApp::CCorvaneApp() {
    m_dwRestartManagerSupportFlags = AFX_RESTART_MANAGER_SUPPORT_RESTART;
}

BOOL CCorvaneApp::InitInstance() {
    m_pMainWnd = nullptr;
    const INITCOMMONCONTROLSEX controls{sizeof(INITCOMMONCONTROLSEX), ICC_WIN95_CLASSES};
    InitCommonControlsEx(&controls);
    CWinApp::InitInstance();
    AfxEnableControlContainer();
    auto* shellManager = new CShellManager;
    CMFCVisualManager::SetDefaultManager<CMFCVisualManagerWindows>();
    CCmdLineParams params;
    ParseCommandLine(params);
    SettleSettingsLocation();
    if (CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED) != S_OK) {
        delete shellManager;
        return FALSE;
    }
    SetUpCompanionControl();
    {
        CCorvaneDlg dialog;
        m_pMainWnd = &dialog;
        if (params.m_pszUrl) dialog.m_pszStartUrl = params.m_pszUrl;
        dialog.DoModal();
    }
    m_pMainWnd = nullptr;
    delete shellManager;
    ControlBarCleanUp();
    return FALSE;
}

void CCorvaneApp::SettleSettingsLocation() {
    std::free(const_cast<LPWSTR>(m_pszProfileName));
    m_pszProfileName = nullptr;
    WCHAR base[MAX_PATH] = {};
    if (FAILED(SHGetFolderPathW(nullptr, CSIDL_APPDATA, nullptr, SHGFP_TYPE_CURRENT, base))) {
        SetRegistryKey(kRegistryKey);
        return;
    }
    CString path =
        CString(base) + CString(std::u16string(1, kSeparator)) + GetVersionString(u"CompanyName");
    if (!MakeFolder(path)) return;
    const CString internalName = GetVersionString(u"InternalName");
    path += CString(std::u16string(1, kSeparator)) +
            internalName.Left(internalName.GetLength() - 4) +
            CString(std::u16string(1, kSeparator));
    if (!MakeFolder(path)) return;
    path += kSettingsFile;
    m_pszProfileName = _wcsdup(path);
}

void CCorvaneApp::SetUpCompanionControl() {
    WCHAR folder[MAX_PATH] = {};
    CString path;
    if (GetModuleFileNameW(nullptr, folder, MAX_PATH) != 0) {
        std::u16string text(folder);
        text.erase(text.find_last_of(kSeparator) + 1);
        // A folder too long for the path buffer leaves the control out, as a cut path would
        // name another file.
        if (text.size() + std::size(kCompanionFile) <= MAX_PATH)
            path = CString(text) + kCompanionFile;
    }
    if (path.IsEmpty()) return;
    HMODULE module = LoadLibraryW(path);
    if (!module) return;
    using RegisterProc = int (*)(int);
    if (auto entry = reinterpret_cast<RegisterProc>(GetProcAddress(module, kCompanionEntry)))
        entry(0);
}

const AFX_MSGMAP* CCorvaneApp::GetThisMessageMap() {
    static const AFX_MSGMAP_ENTRY entries[] = {
        OnCommand<&CWinApp::OnHelp>(ID_HELP),
    };
    static const AFX_MSGMAP map{&CWinApp::GetThisMessageMap, entries, std::size(entries)};
    return &map;
}
