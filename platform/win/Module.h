// Modules: the program itself (with its compiled-in resources), shared objects loaded with
// dlopen, and modules built into the platform layer (the "Shell32.dll" stand-in).
#pragma once

#include <string>

#include "platform/com/Types.h"
#include "platform/win/Resource.h"

using FARPROC = void (*)();

struct ModuleExport {
    const char* name;
    FARPROC proc;
};

struct Module {
    std::string path;        // UTF-8 file path; empty for built-in modules
    void* handle = nullptr;  // dlopen handle
    const ResourceTable* resources = nullptr;
    const ModuleExport* exports = nullptr;  // built-in modules only
    std::size_t exportCount = 0;
};

// The program's own module: its file path and its resources.
HMODULE GetProgramModule();
void SetProgramResources(const ResourceTable* resources);

// Modules built into this layer are found by file name, ignoring ASCII case; anything else
// is a shared object to dlopen.
HMODULE LoadLibraryW(LPCWSTR fileName);
FARPROC GetProcAddress(HMODULE module, LPCSTR procName);
// The program file's path (/proc/self/exe) for a null module; returns the copied length, 0 on
// failure; truncates to size - 1 units like the original.
DWORD GetModuleFileNameW(HMODULE module, LPWSTR fileName, DWORD size);
