// Windows over GTK. An HWND is a Window record: a top-level GtkWindow whose client area is a
// GtkLayout where child windows sit at pixel rectangles, or a child control's widget.
// Messages reach a window through its window procedure, as on Windows.
#pragma once

#include "platform/com/Types.h"
#include "platform/win/DialogTemplate.h"
#include "platform/win/Geometry.h"
#include "platform/win/Handles.h"
#include "platform/win/Messages.h"
#include "platform/win/Module.h"

using WNDPROC = LRESULT (*)(HWND, UINT, WPARAM, LPARAM);
using DLGPROC = LRESULT (*)(HWND, UINT, WPARAM, LPARAM);
using LONG_PTR = std::intptr_t;

struct Icon;
using HICON = Icon*;
struct Menu;
using HMENU = Menu*;

constexpr int GWL_STYLE = -16;
constexpr int GWL_EXSTYLE = -20;
constexpr int GWLP_WNDPROC = -4;

constexpr int SW_HIDE = 0;
constexpr int SW_SHOWNORMAL = 1;
constexpr int SW_SHOWMAXIMIZED = 3;
constexpr int SW_SHOW = 5;
constexpr int SW_RESTORE = 9;

constexpr UINT SWP_NOSIZE = 0x0001;
constexpr UINT SWP_NOMOVE = 0x0002;
constexpr UINT SWP_NOZORDER = 0x0004;
constexpr UINT SWP_NOACTIVATE = 0x0010;
constexpr UINT SWP_SHOWWINDOW = 0x0040;
constexpr UINT SWP_HIDEWINDOW = 0x0080;

// Class names of the child controls this layer provides.
inline constexpr LPCWSTR WC_BUTTONW = u"Button";
inline constexpr LPCWSTR WC_EDITW = u"Edit";
inline constexpr LPCWSTR WC_STATICW = u"Static";
inline constexpr LPCWSTR WC_COMBOBOXEXW = u"ComboBoxEx32";
inline constexpr LPCWSTR REBARCLASSNAMEW = u"ReBarWindow32";

// Child controls only; the id takes the place of the menu handle.
HWND CreateWindowExW(DWORD exStyle, LPCWSTR className, LPCWSTR windowName, DWORD style, int x,
                     int y, int width, int height, HWND parent, UINT id, HINSTANCE instance,
                     LPVOID param);
// A top-level dialog window with the template's menu and controls, created hidden unless the
// template says WS_VISIBLE; WM_INITDIALOG goes to proc with param.
HWND CreateDialogIndirectParamW(HINSTANCE instance, const DialogTemplate* dialog, HWND owner,
                                DLGPROC proc, LPARAM param);
BOOL DestroyWindow(HWND window);
BOOL IsWindow(HWND window);

LRESULT SendMessageW(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
BOOL PostMessageW(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
LRESULT DefWindowProcW(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
LRESULT CallWindowProcW(WNDPROC proc, HWND window, UINT message, WPARAM wParam, LPARAM lParam);

LONG GetWindowLongW(HWND window, int index);
LONG SetWindowLongW(HWND window, int index, LONG value);
LONG_PTR GetWindowLongPtrW(HWND window, int index);
LONG_PTR SetWindowLongPtrW(HWND window, int index, LONG_PTR value);

HWND GetParent(HWND window);
HWND GetDlgItem(HWND dialog, int id);
// The top-level window that holds a window.
HWND GetAncestorRoot(HWND window);

BOOL GetClientRect(HWND window, LPRECT rect);
BOOL GetWindowRect(HWND window, LPRECT rect);
BOOL MoveWindow(HWND window, int x, int y, int width, int height, BOOL repaint);
BOOL SetWindowPos(HWND window, HWND insertAfter, int x, int y, int cx, int cy, UINT flags);
BOOL ShowWindow(HWND window, int command);
BOOL IsWindowVisible(HWND window);
BOOL InvalidateRect(HWND window, const RECT* rect, BOOL erase);
BOOL EnableWindow(HWND window, BOOL enable);
BOOL IsWindowEnabled(HWND window);

HWND GetFocus();
HWND SetFocus(HWND window);
HWND SetActiveWindow(HWND window);
// The most recently active top-level window among owner and the windows it owns.
HWND GetLastActivePopup(HWND owner);

int GetWindowTextW(HWND window, LPWSTR buffer, int bufferMax);
int GetWindowTextLengthW(HWND window);
BOOL SetWindowTextW(HWND window, LPCWSTR text);

HICON LoadIconW(HINSTANCE instance, LPCWSTR name);

HMENU LoadMenuW(HINSTANCE instance, LPCWSTR name);
HMENU GetMenu(HWND window);
HMENU GetSubMenu(HMENU menu, int position);
int GetMenuItemCount(HMENU menu);
UINT GetMenuItemID(HMENU menu, int position);
int GetMenuStringW(HMENU menu, UINT item, LPWSTR buffer, int bufferMax, UINT flags);
constexpr UINT MF_BYPOSITION = 0x400;

// The wait cursor on every window of the program while on.
void ShowWaitCursor(BOOL on);

// Runs queued work and GTK events until done becomes true; nests.
void PumpMessagesUntil(const bool& done);
// Key-downs are offered to the filter before GTK handles them; TRUE consumes the key.
using MessageFilter = BOOL (*)(MSG* msg);
void SetMessageFilter(MessageFilter filter);

// The dialog manager's keyboard handling: Enter is the default command, Esc is cancel.
BOOL IsDialogMessageW(HWND dialog, MSG* msg);

// Lets tests drive the real dialogs: the hook runs from the main loop (never inside
// ShowWindow) each time a dialog window has been shown, and may read and fill its controls and
// press its buttons with BM_CLICK. Null removes it.
using DialogShownHook = void (*)(HWND dialog);
void SetDialogShownHook(DialogShownHook hook);

// Presses a button as a click does: nothing happens while it is disabled.
constexpr UINT BM_CLICK = 0x00F5;

// While a window runs modally it holds the program's input (the GTK grab), which is how the
// disabled owner gets no input here.
void SetWindowModal(HWND window, BOOL modal);
