#include "app/VersionString.h"

#include <cstdio>
#include <cstring>
#include <initializer_list>
#include <string>
#include <string_view>

#include "platform/com/TextConv.h"
#include "platform/win/VersionInfo.h"

namespace {

constexpr WORD kVersionResourceId = 1;
constexpr std::size_t kPathMax = 256;
constexpr UINT kOneTranslation = 4;  // bytes of one (language, code page) pair

// The string table to read, e.g. "040904B0": the one translation the block names, else the
// user's language with the Unicode code page.
std::u16string TableName(const void* block) {
    LPVOID value = nullptr;
    UINT length = 0;
    char name[9];
    if (VerQueryValueW(block, u"\\VarFileInfo\\Translation", &value, &length) &&
        length == kOneTranslation) {
        DWORD translation;
        std::memcpy(&translation, value, sizeof translation);
        const WORD language = LOWORD(translation);
        const WORD codePage = HIWORD(translation);
        std::snprintf(name, sizeof name, "%02X%02X%02X%02X", HIBYTE(language), LOBYTE(language),
                      HIBYTE(codePage), LOBYTE(codePage));
    } else {
        std::snprintf(name, sizeof name, "%04X04B0", GetUserDefaultLangID());
    }
    return std::u16string(name, name + std::strlen(name));
}

// Writes the pieces one after another into path with a NUL; false when they do not fit.
bool FormatPath(WCHAR (&path)[kPathMax], std::initializer_list<std::u16string_view> pieces) {
    std::size_t used = 0;
    for (const std::u16string_view piece : pieces) {
        if (piece.size() >= kPathMax - used) return false;
        std::copy(piece.begin(), piece.end(), path + used);
        used += piece.size();
    }
    path[used] = 0;
    return true;
}

}  // namespace

CString GetVersionString(LPCWSTR key) {
    return GetVersionString(nullptr, key);
}

CString GetVersionString(HMODULE module, LPCWSTR key) {
    CString result;
    const HRSRC resource =
        FindResourceW(module, MAKEINTRESOURCEW(kVersionResourceId), MAKEINTRESOURCEW(RT_VERSION));
    const HGLOBAL data = resource ? LoadResource(module, resource) : nullptr;
    const void* block = data ? LockResource(data) : nullptr;
    if (!block || !key) return result;
    WCHAR path[kPathMax];
    LPVOID value = nullptr;
    UINT length = 0;
    if (FormatPath(path, {u"\\StringFileInfo\\", TableName(block), u"\\",
                          std::u16string_view(key, WideLength(key))}) &&
        VerQueryValueW(block, path, &value, &length))
        result = CString(static_cast<LPCWSTR>(value));
    return result;
}
