#include "tests/app/CompanionProbe.h"

#include <dlfcn.h>

#include <filesystem>

std::string CompanionBesideProgram() {
    return std::filesystem::read_symlink("/proc/self/exe").parent_path() / "KVRDL.ocx";
}

std::optional<CompanionRecord> CompanionRecordIfLoaded(const std::string& path) {
    void* handle = dlopen(path.c_str(), RTLD_NOW | RTLD_NOLOAD);
    if (!handle) return std::nullopt;
    using CallsProc = int (*)(int*);
    auto calls = reinterpret_cast<CallsProc>(dlsym(handle, "CompanionCalls"));
    CompanionRecord record{-1, -1};
    if (calls) record.calls = calls(&record.lastArgument);
    dlclose(handle);  // balances the reference taken here; the loader's own stays
    return record;
}
