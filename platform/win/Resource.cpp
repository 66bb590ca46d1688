#include "platform/win/Resource.h"

#include <algorithm>

#include "platform/win/Module.h"

namespace {

// Pointer values above 0xFFFF are string names, which no resource here has.
bool IsIntResource(LPCWSTR name) {
    return reinterpret_cast<ULONG_PTR>(name) <= 0xFFFF;
}

const ResourceTable* TableOf(HMODULE module) {
    if (!module) module = GetProgramModule();
    return module ? module->resources : nullptr;
}

}  // namespace

HRSRC FindResourceW(HMODULE module, LPCWSTR name, LPCWSTR type) {
    const ResourceTable* table = TableOf(module);
    if (!table || !table->entries || !IsIntResource(name) || !IsIntResource(type)) return nullptr;
    const WORD id = LOWORD(reinterpret_cast<ULONG_PTR>(name));
    const WORD typeId = LOWORD(reinterpret_cast<ULONG_PTR>(type));
    const ResourceEntry* end = table->entries + table->count;
    const ResourceEntry* found = std::find_if(table->entries, end, [&](const ResourceEntry& e) {
        return e.type == typeId && e.id == id;
    });
    return found == end ? nullptr : found;
}

// Resources are part of the program image: loading and locking hand out the data in place.
HGLOBAL LoadResource(HMODULE, HRSRC resource) {
    return resource ? resource->data : nullptr;
}

LPVOID LockResource(HGLOBAL data) {
    return const_cast<void*>(data);
}

DWORD SizeofResource(HMODULE, HRSRC resource) {
    return resource ? resource->size : 0;
}

int LoadStringW(HINSTANCE instance, UINT id, LPWSTR buffer, int bufferMax) {
    if (!buffer || bufferMax < 0) return 0;
    const HRSRC resource =
        id <= 0xFFFF ? FindResourceW(instance, MAKEINTRESOURCEW(id), MAKEINTRESOURCEW(RT_STRING))
                     : nullptr;
    const auto* text = resource ? static_cast<const WCHAR*>(resource->data) : nullptr;
    const int length = text ? static_cast<int>(resource->size / sizeof(WCHAR)) : 0;
    if (bufferMax == 0) {
        *reinterpret_cast<const WCHAR**>(buffer) = text;
        return length;
    }
    const int copied = std::min(length, bufferMax - 1);
    std::copy_n(text, copied, buffer);
    buffer[copied] = 0;
    return copied;
}
