#include "platform/afx/WinApp.h"

#include <gtk/gtk.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <vector>

#include "platform/afx/Wnd.h"
#include "platform/com/TextConv.h"
#include "platform/win/IniFile.h"
#include "platform/win/MemoryProfile.h"
#include "platform/win/RegistryHive.h"

namespace {

CWinApp* g_app = nullptr;
std::vector<LPWSTR> g_argv;

std::u16string ProgramName() {
    WCHAR path[MAX_PATH] = {};
    GetModuleFileNameW(nullptr, path, MAX_PATH);
    std::u16string name(path);
    name = name.substr(name.find_last_of(u'/') + 1);
    const auto dot = name.find_last_of(u'.');
    return dot == std::u16string::npos || dot == 0 ? name : name.substr(0, dot);
}

}  // namespace

LPWSTR _wcsdup(LPCWSTR text) {
    const std::size_t n = WideLength(text);
    auto* copy = static_cast<LPWSTR>(std::malloc((n + 1) * sizeof(WCHAR)));
    if (!copy) return nullptr;
    std::memcpy(copy, text ? text : u"", n * sizeof(WCHAR));
    copy[n] = 0;
    return copy;
}

CWinApp::CWinApp(LPCWSTR appName) {
    g_app = this;
    m_pszAppName = _wcsdup(appName ? std::u16string(appName).c_str() : ProgramName().c_str());
}

CWinApp::~CWinApp() {
    std::free(const_cast<LPWSTR>(m_pszAppName));
    std::free(const_cast<LPWSTR>(m_pszProfileName));
    std::free(const_cast<LPWSTR>(m_pszRegistryKey));
    if (g_app == this) g_app = nullptr;
}

BOOL CWinApp::InitInstance() {
    return TRUE;
}

int CWinApp::ExitInstance() {
    return 0;
}

// An argument starting with "/" that holds a second "/" is an absolute path here, not a flag.
void CWinApp::ParseCommandLine(CCommandLineInfo& info) {
    const int argc = AfxArgc();
    LPWSTR* argv = AfxArgv();
    for (int i = 1; i < argc; ++i) {
        LPCWSTR param = argv[i];
        const bool path = param[0] == u'/' &&
                          std::u16string_view(param + 1).find(u'/') != std::u16string_view::npos;
        const BOOL flag = (param[0] == u'-' || param[0] == u'/') && !path;
        info.ParseParam(flag ? param + 1 : param, flag, i + 1 == argc);
    }
}

void CWinApp::SetRegistryKey(LPCWSTR key) {
    std::free(const_cast<LPWSTR>(m_pszRegistryKey));
    m_pszRegistryKey = key ? _wcsdup(key) : nullptr;
}

// Linux has no per-user registry: the registry key selects a hive file of our own, or memory
// when there is no home directory either; no profile at all also means memory.
ProfileStore& CWinApp::Profile() {
    std::u16string source = m_pszRegistryKey   ? u"registry:" + std::u16string(m_pszRegistryKey)
                            : m_pszProfileName ? u"file:" + std::u16string(m_pszProfileName)
                                               : u"memory";
    if (m_profile && source == m_profileSource) return *m_profile;
    m_profileSource = std::move(source);
    const std::string hive = CRegistryHive::DefaultHivePath();
    if (m_pszRegistryKey && !hive.empty())
        m_profile = std::make_unique<CRegistryHive>(
            hive, u"software\\" + std::u16string(m_pszRegistryKey) + u"\\" + m_pszAppName);
    else if (m_pszProfileName && !m_pszRegistryKey)
        m_profile = std::make_unique<CIniFile>(WideToUtf8(m_pszProfileName));
    else
        m_profile = std::make_unique<CMemoryProfile>();
    return *m_profile;
}

CString CWinApp::GetProfileString(LPCWSTR section, LPCWSTR entry, LPCWSTR defaultValue) {
    if (!section || !entry) return CString(defaultValue);
    std::optional<std::u16string> value = Profile().Read(section, entry);
    return value ? CString(std::move(*value)) : CString(defaultValue);
}

BOOL CWinApp::WriteProfileString(LPCWSTR section, LPCWSTR entry, LPCWSTR value) {
    if (!section || !entry || !value) return FALSE;
    return Profile().Write(section, entry, value) ? TRUE : FALSE;
}

void CWinApp::DoWaitCursor(int code) {
    m_nWaitCursorCount = std::max(m_nWaitCursorCount + code, 0);
    ShowWaitCursor(m_nWaitCursorCount > 0);
}

const AFX_MSGMAP* CWinApp::GetThisMessageMap() {
    // The help command is the application's to route (its own map names OnHelp).
    static const AFX_MSGMAP map{&CCmdTarget::GetThisMessageMap, nullptr, 0};
    return &map;
}

CWinApp* AfxGetApp() {
    return g_app;
}

CWnd* AfxGetMainWnd() {
    return g_app ? g_app->m_pMainWnd : nullptr;
}

HINSTANCE AfxGetInstanceHandle() {
    return GetProgramModule();
}

HINSTANCE AfxGetResourceHandle() {
    return GetProgramModule();
}

void AfxEnableControlContainer() {}

int AfxArgc() {
    return static_cast<int>(g_argv.size());
}

LPWSTR* AfxArgv() {
    return g_argv.data();
}

void AfxSetCommandLine(int argc, char** argv) {
    static std::vector<LPWSTR> earlier;
    earlier.insert(earlier.end(), g_argv.begin(), g_argv.end());
    g_argv.clear();
    for (int i = 0; i < argc; ++i) g_argv.push_back(_wcsdup(Utf8ToWide(argv[i]).c_str()));
}

int AfxWinMain(int argc, char** argv) {
    AfxSetCommandLine(argc, argv);
    if (!gtk_init_check(nullptr, nullptr)) {
        std::fprintf(stderr, "%s: cannot open the display\n", argc > 0 ? argv[0] : "Veltrisk");
        return 1;
    }
    SetMessageFilter(&AfxPreTranslateMessage);
    CWinApp* app = AfxGetApp();
    if (!app) return 1;
    app->m_hInstance = AfxGetInstanceHandle();
    // The framework's default profile name, which a program may release and replace.
    app->m_pszProfileName = _wcsdup((std::u16string(app->m_pszAppName) + u".INI").c_str());
    app->InitInstance();
    return app->ExitInstance();
}
