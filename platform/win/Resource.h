// Program resources: compiled into the program as a table of typed entries, looked up by type
// and integer id as FindResourceW does. Dialogs, menus and icon groups are stored as the typed
// structures of DialogTemplate.h, MenuTemplate.h and IconGroup.h rather than as binary blobs;
// HTML, version and manifest entries are the bytes themselves.
#pragma once

#include <cstddef>

#include "platform/com/Types.h"

constexpr WORD RT_ICON = 3;
constexpr WORD RT_MENU = 4;
constexpr WORD RT_DIALOG = 5;
constexpr WORD RT_STRING = 6;
constexpr WORD RT_GROUP_ICON = 14;
constexpr WORD RT_VERSION = 16;
constexpr WORD RT_HTML = 23;
constexpr WORD RT_MANIFEST = 24;

struct ResourceEntry {
    WORD type;
    WORD id;
    const void* data;
    DWORD size;
};

struct ResourceTable {
    const ResourceEntry* entries;
    std::size_t count;
};

struct Module;
using HMODULE = Module*;
using HINSTANCE = Module*;
using HRSRC = const ResourceEntry*;
using HGLOBAL = const void*;

#define MAKEINTRESOURCEW(i) (reinterpret_cast<LPCWSTR>(static_cast<ULONG_PTR>(WORD(i))))

// Only integer names and types exist in this program.
HRSRC FindResourceW(HMODULE module, LPCWSTR name, LPCWSTR type);
HGLOBAL LoadResource(HMODULE module, HRSRC resource);
LPVOID LockResource(HGLOBAL data);
DWORD SizeofResource(HMODULE module, HRSRC resource);

// With bufferMax 0, *buffer receives a read-only pointer to the text; returns its length, 0 when
// the string does not exist.
int LoadStringW(HINSTANCE instance, UINT id, LPWSTR buffer, int bufferMax);
