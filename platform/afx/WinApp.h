// CWinApp: the application object, its profile and the framework's start-up.
#pragma once

#include <memory>
#include <string>

#include "platform/afx/CmdTarget.h"
#include "platform/afx/CommandLineInfo.h"
#include "platform/win/Module.h"
#include "platform/win/ProfileStore.h"

class CWnd;

constexpr UINT ID_HELP = 57670;
constexpr DWORD AFX_RESTART_MANAGER_SUPPORT_RESTART = 0x1;

class CWinApp : public CCmdTarget {
public:
    // Without a name the application is named after the program file.
    explicit CWinApp(LPCWSTR appName = nullptr);
    ~CWinApp() override;
    CWinApp(const CWinApp&) = delete;
    CWinApp& operator=(const CWinApp&) = delete;

    virtual BOOL InitInstance();
    virtual int ExitInstance();

    void ParseCommandLine(CCommandLineInfo& info);
    void SetRegistryKey(LPCWSTR key);
    CString GetProfileString(LPCWSTR section, LPCWSTR entry, LPCWSTR defaultValue = nullptr);
    BOOL WriteProfileString(LPCWSTR section, LPCWSTR entry, LPCWSTR value);
    void DoWaitCursor(int code);
    void OnHelp() {}

    static const AFX_MSGMAP* GetThisMessageMap();
    const AFX_MSGMAP* GetMessageMap() const override { return GetThisMessageMap(); }

    LPCWSTR m_pszAppName = nullptr;      // malloc'ed, as the framework keeps it
    LPCWSTR m_pszProfileName = nullptr;  // malloc'ed; the program may free and replace it
    LPCWSTR m_pszRegistryKey = nullptr;
    CWnd* m_pMainWnd = nullptr;
    HINSTANCE m_hInstance = nullptr;
    DWORD m_dwRestartManagerSupportFlags = 0;

private:
    ProfileStore& Profile();

    std::unique_ptr<ProfileStore> m_profile;
    std::u16string m_profileSource;  // what m_profile was made for
    int m_nWaitCursorCount = 0;
};

CWinApp* AfxGetApp();
CWnd* AfxGetMainWnd();
HINSTANCE AfxGetInstanceHandle();
HINSTANCE AfxGetResourceHandle();
// Windows of the program can host controls; always so here.
void AfxEnableControlContainer();
// The framework's entry point: command line, display, then the application object's
// InitInstance; returns the process exit status.
int AfxWinMain(int argc, char** argv);
// Stores the command line as UTF-16; AfxWinMain does this first. Texts of an earlier command
// line stay allocated, as pointers into them may be kept for the whole process.
void AfxSetCommandLine(int argc, char** argv);
// The command line as UTF-16, alive for the whole process.
int AfxArgc();
LPWSTR* AfxArgv();
LPWSTR _wcsdup(LPCWSTR text);
