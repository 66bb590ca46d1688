// What an HWND points at, for the window layer's own files only.
#pragma once

#include <gtk/gtk.h>

#include <string>
#include <vector>

#include "platform/win/Window.h"

struct WindowClass {
    LPCWSTR name;
    // Makes the control's widget; the record is filled in except for widget.
    GtkWidget* (*create)(Window* window, LPCWSTR text);
    WNDPROC proc;
};

struct Window {
    GtkWidget* widget = nullptr;  // top-level: the GtkWindow; child: the control's widget
    GtkWidget* client = nullptr;  // top-level: the GtkLayout holding child windows
    GtkWidget* menuBar = nullptr;
    Window* parent = nullptr;  // child: its parent; top-level: its owner
    std::vector<Window*> children;
    UINT id = 0;
    DWORD style = 0;
    DWORD exStyle = 0;
    RECT rect{};        // child: in the parent's client area
    SIZE clientSize{};  // top-level: the client size last reported with WM_SIZE
    const WindowClass* cls = nullptr;
    WNDPROC proc = nullptr;
    DLGPROC dlgProc = nullptr;
    std::u16string text;  // top-level caption
    HICON icons[2] = {};
    HMENU menu = nullptr;
    SIZE baseUnits{};             // dialogs: the dialog font's average character width and height
    void* controlData = nullptr;  // the control class's own state, freed at WM_NCDESTROY
    bool ownsWidget = true;       // false for a part of another control's widget
};

bool IsTopLevel(const Window* window);
// The live record behind a handle, or null for a destroyed or made-up one.
Window* LiveWindow(HWND handle);
Window* WindowFromWidget(GtkWidget* widget);
// Registers a new record whose widget is set; places a child in its parent's client area.
void AttachWidget(Window* window, GtkWidget* widget);
// Child widget geometry from window->rect; zero or negative sizes hide the widget.
void PlaceChild(Window* window);

const WindowClass* FindWindowClass(LPCWSTR name);
// Dialog controls take the template font.
void ApplyDialogFont(GtkWidget* widget, const DialogTemplate* dialog);
GtkWidget* CreateMenuBar(Window* window, HMENU menu);
GList* IconImages(HICON icon);
void ApplyWaitCursor(Window* window);
void ConnectTopLevelSignals(Window* window);
// Offers a key-down to the message filter; true when it consumed the key.
bool FilterMessage(MSG* msg);
// The top-level that last had the focus, kept while it lives.
Window* LastActiveTopLevel();
// A destroyed window is no longer the active one (its address may be reused).
void ForgetActiveWindow(Window* window);
