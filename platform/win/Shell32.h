// The "Shell32.dll" built into this layer: the control-panel runner.
#pragma once

#include "platform/win/Module.h"
#include "platform/win/Window.h"

// "inetcpl.cpl,,0" opens the desktop's network and proxy settings, which the engine follows,
// when the desktop has such a tool; any other applet, or no tool, does nothing.
void Control_RunDLLW(HWND owner, HINSTANCE instance, LPCWSTR command, int show);

inline const ModuleExport kShell32Exports[] = {
    {"Control_RunDLLW", reinterpret_cast<FARPROC>(&Control_RunDLLW)},
};
