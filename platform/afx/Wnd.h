// CWnd: a framework object attached to an HWND. Messages reach it through its message maps;
// what they leave goes to the window procedure it replaced.
#pragma once

#include "platform/afx/CmdTarget.h"
#include "platform/afx/String.h"
#include "platform/com/Guid.h"
#include "platform/win/Window.h"

class COleControlContainer;
class COleControlSite;

class CWnd : public CCmdTarget {
public:
    CWnd() = default;
    CWnd(const CWnd&) = delete;
    CWnd& operator=(const CWnd&) = delete;
    ~CWnd() override;

    HWND m_hWnd = nullptr;
    UINT m_nFlags = 0;

    static CWnd* FromHandlePermanent(HWND window);
    // Attaches and replaces the window's procedure so the message maps see its messages.
    BOOL SubclassWindow(HWND window);

    virtual LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam);
    virtual BOOL PreTranslateMessage(MSG* msg);
    virtual BOOL CreateControlSite(COleControlContainer* container, COleControlSite** site, UINT id,
                                   REFCLSID clsid);

    // Creates a hosted control as a child window of parent, through parent's control container.
    BOOL CreateControl(REFCLSID clsid, DWORD style, const RECT& rect, CWnd* parent, UINT id);
    IUnknown* GetControlUnknown() const;

    LRESULT SendMessage(UINT message, WPARAM wParam = 0, LPARAM lParam = 0) const {
        return SendMessageW(m_hWnd, message, wParam, lParam);
    }
    BOOL ModifyStyleEx(DWORD remove, DWORD add, UINT flags = 0) {
        return ModifyStyleEx(m_hWnd, remove, add, flags);
    }
    static BOOL ModifyStyleEx(HWND window, DWORD remove, DWORD add, UINT flags = 0);
    BOOL DestroyWindow();
    void GetClientRect(LPRECT rect) const { ::GetClientRect(m_hWnd, rect); }
    void GetWindowRect(LPRECT rect) const { ::GetWindowRect(m_hWnd, rect); }
    void MoveWindow(int x, int y, int width, int height, BOOL repaint = TRUE) {
        ::MoveWindow(m_hWnd, x, y, width, height, repaint);
    }
    BOOL SetWindowPos(const CWnd* insertAfter, int x, int y, int cx, int cy, UINT flags) {
        return ::SetWindowPos(m_hWnd, insertAfter ? insertAfter->m_hWnd : nullptr, x, y, cx, cy,
                              flags);
    }
    // The window's whole text.
    static CString GetWindowText(HWND window);
    BOOL ShowWindow(int command) { return ::ShowWindow(m_hWnd, command); }
    void Invalidate(BOOL erase = TRUE) { ::InvalidateRect(m_hWnd, nullptr, erase); }

    static const AFX_MSGMAP* GetThisMessageMap();
    const AFX_MSGMAP* GetMessageMap() const override { return GetThisMessageMap(); }

protected:
    // The processing the window had before the framework attached: for the current message.
    LRESULT Default();
    virtual LRESULT DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam);
    BOOL OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result);
    virtual void PostNcDestroy() {}
    void OnDestroy();

    COleControlContainer* m_pCtrlCont = nullptr;

private:
    friend LRESULT AfxWndProc(HWND, UINT, WPARAM, LPARAM);
    friend class COleControlSite;
    WNDPROC m_pfnSuper = nullptr;
    MSG m_currentMsg{};
    COleControlSite* m_pCtrlSite = nullptr;  // the site, for a window that is a hosted control
};

// The framework's window procedure for every attached window.
LRESULT AfxWndProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
// Offers a message to the PreTranslateMessage of its window and each parent up to the
// top-level window.
BOOL AfxPreTranslateMessage(MSG* msg);
