// The application's standard message box.
#pragma once

#include "platform/com/Types.h"

constexpr UINT MB_OK = 0x0;
constexpr UINT MB_OKCANCEL = 0x1;
constexpr UINT MB_ICONEXCLAMATION = 0x30;

// Titled with the application name, with the exclamation icon; owned by the main window.
// Returns IDOK or IDCANCEL.
int AfxMessageBox(LPCWSTR text, UINT type = MB_OK);
