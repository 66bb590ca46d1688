// The window classes of the child controls, for the class table.
#pragma once

#include "platform/win/WindowRecord.h"

extern const WindowClass kButtonClass;
extern const WindowClass kEditClass;
extern const WindowClass kStaticClass;
extern const WindowClass kComboBoxExClass;
extern const WindowClass kReBarClass;
extern const WindowClass kWidgetHostClass;

// WM_GETTEXT, WM_GETTEXTLENGTH and WM_SETTEXT over a widget's own text.
LRESULT HandleTextMessage(Window* window, UINT message, WPARAM wParam, LPARAM lParam,
                          std::string (*get)(GtkWidget*), void (*set)(GtkWidget*, const char*));
