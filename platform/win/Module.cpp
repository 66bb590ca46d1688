// Modules: the program, shared objects through dlopen, and the modules built into this layer.
#include "platform/win/Module.h"

#include <dlfcn.h>
#include <unistd.h>

#include <algorithm>
#include <climits>
#include <memory>
#include <vector>

#include "platform/com/AsciiCase.h"
#include "platform/com/TextConv.h"
#include "platform/win/Shell32.h"

namespace {

Module* BuiltinModules() {
    static Module modules[] = {
        {"Shell32.dll", nullptr, nullptr, kShell32Exports, std::size(kShell32Exports)},
    };
    return modules;
}

std::string ProgramPath() {
    char path[PATH_MAX];
    const ssize_t n = readlink("/proc/self/exe", path, sizeof path - 1);
    return n > 0 ? std::string(path, static_cast<std::size_t>(n)) : std::string();
}

}  // namespace

HMODULE GetProgramModule() {
    static Module program{ProgramPath(), nullptr, nullptr, nullptr, 0};
    return &program;
}

void SetProgramResources(const ResourceTable* resources) {
    GetProgramModule()->resources = resources;
}

HMODULE LoadLibraryW(LPCWSTR fileName) {
    if (!fileName || !*fileName) return nullptr;
    const std::string path = WideToUtf8(fileName);
    for (Module* module = BuiltinModules(); module != BuiltinModules() + 1; ++module)
        if (EqualsIgnoringAsciiCase<char>(module->path, path)) return module;
    // Modules stay loaded for the life of the process, as the callers expect.
    void* handle = dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
    if (!handle) return nullptr;
    static std::vector<std::unique_ptr<Module>> loaded;
    for (const auto& module : loaded)
        if (module->handle == handle) return module.get();
    loaded.push_back(std::make_unique<Module>(Module{path, handle, nullptr, nullptr, 0}));
    return loaded.back().get();
}

FARPROC GetProcAddress(HMODULE module, LPCSTR procName) {
    if (!module || !procName) return nullptr;
    for (std::size_t i = 0; i < module->exportCount; ++i)
        if (std::string_view(module->exports[i].name) == procName) return module->exports[i].proc;
    if (!module->handle) return nullptr;
    return reinterpret_cast<FARPROC>(dlsym(module->handle, procName));
}

DWORD GetModuleFileNameW(HMODULE module, LPWSTR fileName, DWORD size) {
    if (!fileName || size == 0) return 0;
    const std::u16string path = Utf8ToWide((module ? module : GetProgramModule())->path);
    if (path.empty()) return 0;
    const std::size_t n = std::min<std::size_t>(path.size(), size - 1);
    std::copy_n(path.data(), n, fileName);
    fileName[n] = 0;
    return static_cast<DWORD>(n);
}
