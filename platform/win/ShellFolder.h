// Known folders of the shell, and folder creation.
#pragma once

#include "platform/com/Types.h"
#include "platform/win/Handles.h"

constexpr int CSIDL_APPDATA = 0x1A;
constexpr DWORD SHGFP_TYPE_CURRENT = 0;

// Only CSIDL_APPDATA (the user's roaming application-data folder) is known; path is a caller
// buffer of MAX_PATH units and receives an empty string on failure. The folder is
// $XDG_CONFIG_HOME when that is absolute, else $HOME/.config; it is created (mode 0700) when
// missing, and its path is returned even if creating it failed.
HRESULT SHGetFolderPathW(HWND owner, int csidl, HANDLE token, DWORD flags, LPWSTR path);

// mkdir with mode 0700; on failure returns FALSE and sets the last error (an existing entry
// gives ERROR_ALREADY_EXISTS, a missing parent ERROR_PATH_NOT_FOUND).
BOOL CreateDirectoryW(LPCWSTR path, void* securityAttributes);
