// Hosting a foreign GTK widget (the engine's view) as a child window.
#pragma once

#include <gtk/gtk.h>

#include "platform/win/Window.h"

HWND CreateWidgetWindow(GtkWidget* widget, HWND parent, UINT id, DWORD style, const RECT& rect);
GtkWidget* GetWindowWidget(HWND window);
// The virtual-key code of a GDK key value; 0 for keys that have none here.
WPARAM VirtualKeyFromGdk(guint keyval);
