#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <string>

#include "app/CorvaneApp.h"
#include "platform/win/Module.h"
#include "tests/app/CompanionProbe.h"
#include "tests/app/TempFolder.h"

// The companion built beside this program records each registration call.
TEST(Companion, RegisteredOnceWithZero) {
    const std::string path = CompanionBesideProgram();
    ASSERT_TRUE(std::filesystem::exists(path)) << "the build puts the test companion at " << path;
    const std::optional<CompanionRecord> before = CompanionRecordIfLoaded(path);

    CCorvaneApp app;
    app.SetUpCompanionControl();

    const std::optional<CompanionRecord> record = CompanionRecordIfLoaded(path);
    ASSERT_TRUE(record);
    EXPECT_EQ(record->calls, (before ? before->calls : 0) + 1);
    EXPECT_EQ(record->lastArgument, 0);
}

// The program is made to live in a folder of the test's own, so that each case finds its own
// KVRDL.ocx. Each runs in a child process: a crash fails the case instead of the whole program,
// and the exit status tells whether the module was loaded (10 + calls) or not (0).
TEST(Companion, UnusableModuleIsLeftAlone) {
    const std::string built = CompanionBesideProgram();
    const std::string nearMiss =
        (std::filesystem::path(built).parent_path() / "NoExport.ocx").string();
    ASSERT_TRUE(std::filesystem::exists(nearMiss))
        << "the build puts the test module at " << nearMiss;
    const auto copyPrefix = [&](std::size_t bytes) {
        return [&built, bytes](const std::string& target) {
            std::ifstream in(built, std::ios::binary);
            std::string head(bytes, '\0');
            in.read(head.data(), static_cast<std::streamsize>(bytes));
            std::ofstream(target, std::ios::binary) << head;
        };
    };
    struct Case {
        const char* name;
        std::function<void(const std::string&)> make;  // puts the module file at its path
        int exitCode;
    };
    const Case cases[] = {
        {"missing", [](const std::string&) {}, 0},
        {"text", [](const std::string& target) { std::ofstream(target) << "not a module\n"; }, 0},
        {"empty", [](const std::string& target) { std::ofstream{target}; }, 0},
        {"cut short", copyPrefix(256), 0},
        {"without the entry",
         [&](const std::string& target) { std::filesystem::copy_file(nearMiss, target); }, 10},
    };

    const std::string style = GTEST_FLAG_GET(death_test_style);
    GTEST_FLAG_SET(death_test_style, "fast");
    Module* program = GetProgramModule();
    const std::string programPath = program->path;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const TempFolder folder;
        const std::string module = folder.Path() + "/KVRDL.ocx";
        c.make(module);
        program->path = folder.Path() + "/Veltrisk";
        EXPECT_EXIT(
            {
                CCorvaneApp app;
                app.SetUpCompanionControl();
                const std::optional<CompanionRecord> record = CompanionRecordIfLoaded(module);
                std::exit(record ? 10 + record->calls : 0);
            },
            testing::ExitedWithCode(c.exitCode), "");
        program->path = programPath;
    }
    GTEST_FLAG_SET(death_test_style, style);
}
