// What the test companion modules recorded, read without loading them.
#pragma once

#include <optional>
#include <string>

// The companion's path beside the program: the folder of /proc/self/exe, then KVRDL.ocx.
std::string CompanionBesideProgram();

// The number of registration calls the module at path recorded, and the argument of the last
// one; nullopt when this process has not loaded that module.
struct CompanionRecord {
    int calls;
    int lastArgument;
};
std::optional<CompanionRecord> CompanionRecordIfLoaded(const std::string& path);
