#include "platform/com/Bstr.h"

#include <cstring>
#include <limits>

#include "platform/com/TaskMem.h"
#include "platform/com/TextConv.h"

namespace {

constexpr SIZE_T kPrefixSize = sizeof(DWORD);

// The byte count must fit its 32-bit prefix.
constexpr UINT kMaxLength = std::numeric_limits<DWORD>::max() / sizeof(OLECHAR) - 1;

DWORD* Prefix(BSTR s) {
    return reinterpret_cast<DWORD*>(reinterpret_cast<BYTE*>(s) - kPrefixSize);
}

}  // namespace

BSTR SysAllocString(LPCOLESTR s) {
    if (!s) return nullptr;
    return SysAllocStringLen(s, static_cast<UINT>(WideLength(s)));
}

BSTR SysAllocStringLen(const OLECHAR* s, UINT len) {
    if (len > kMaxLength) return nullptr;
    const SIZE_T textBytes = SIZE_T{len} * sizeof(OLECHAR);
    auto* block = static_cast<BYTE*>(CoTaskMemAlloc(kPrefixSize + textBytes + sizeof(OLECHAR)));
    if (!block) return nullptr;
    const auto byteCount = static_cast<DWORD>(textBytes);
    std::memcpy(block, &byteCount, kPrefixSize);
    auto* text = reinterpret_cast<BSTR>(block + kPrefixSize);
    if (s) {
        std::memcpy(text, s, textBytes);
    } else {
        std::memset(text, 0, textBytes);
    }
    text[len] = 0;
    return text;
}

void SysFreeString(BSTR s) {
    if (s) CoTaskMemFree(Prefix(s));
}

UINT SysStringLen(BSTR s) {
    return s ? *Prefix(s) / sizeof(OLECHAR) : 0;
}
