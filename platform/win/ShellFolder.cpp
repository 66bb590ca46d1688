#include "platform/win/ShellFolder.h"

#include <sys/stat.h>
#include <sys/types.h>

#include <cerrno>
#include <cstdlib>
#include <string>

#include "platform/com/TextConv.h"
#include "platform/win/LastError.h"

namespace {

// An absolute path from the environment without its trailing slashes ("/" stays "/"); empty
// when the variable is unset, empty or relative (the XDG rule: relative paths are invalid).
std::string AbsoluteFromEnvironment(const char* name) {
    const char* value = std::getenv(name);
    if (!value || value[0] != '/') return {};
    std::string path = value;
    while (path.size() > 1 && path.back() == '/') path.pop_back();
    return path;
}

// Creates each missing level of path, mode 0700; stops at the first level that fails.
void CreateFolderWithParents(const std::string& path) {
    struct stat st;
    if (stat(path.c_str(), &st) == 0) return;
    for (std::size_t i = 1; i <= path.size(); ++i) {
        if (i < path.size() && path[i] != '/') continue;
        const std::string level = path.substr(0, i);
        if (mkdir(level.c_str(), 0700) != 0 && errno != EEXIST) return;
    }
}

}  // namespace

HRESULT SHGetFolderPathW(HWND, int csidl, HANDLE, DWORD, LPWSTR path) {
    if (!path) return E_INVALIDARG;
    path[0] = 0;
    if (csidl != CSIDL_APPDATA) return E_INVALIDARG;

    std::string folder = AbsoluteFromEnvironment("XDG_CONFIG_HOME");
    if (folder.empty()) {
        const std::string home = AbsoluteFromEnvironment("HOME");
        if (home.empty()) return E_FAIL;
        folder = (home == "/" ? std::string() : home) + "/.config";
    }
    const std::u16string wide = Utf8ToWide(folder);
    // A path that is not UTF-8 cannot be named in UTF-16 and back; do not hand out another one.
    if (WideToUtf8(wide) != folder) return E_FAIL;
    if (wide.size() >= MAX_PATH) return E_FAIL;

    // Windows guarantees this folder exists; on Linux the XDG rule says to create it (0700).
    CreateFolderWithParents(folder);

    wide.copy(path, wide.size());
    path[wide.size()] = 0;
    return S_OK;
}

BOOL CreateDirectoryW(LPCWSTR path, void*) {
    const std::string folder = WideToUtf8(std::u16string_view(path ? path : u"", WideLength(path)));
    if (mkdir(folder.c_str(), 0700) != 0) {
        const int error = errno;
        // Windows reports a missing parent as a missing path, not a missing file.
        SetLastError(error == ENOENT ? ERROR_PATH_NOT_FOUND : ErrorFromErrno(error));
        return FALSE;
    }
    return TRUE;
}
