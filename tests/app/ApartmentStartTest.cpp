#include <gtest/gtest.h>

#include <optional>
#include <thread>

#include "app/CorvaneApp.h"
#include "platform/com/Apartment.h"
#include "tests/app/CompanionProbe.h"
#include "tests/app/EnvironmentOverride.h"
#include "tests/app/TempFolder.h"

namespace {

int CompanionCalls() {
    const std::optional<CompanionRecord> record = CompanionRecordIfLoaded(CompanionBesideProgram());
    return record ? record->calls : 0;
}

}  // namespace

// When the thread's object model is already set up, start-up stops before the companion
// control and the main dialog: no display is needed, none is touched.
TEST(ApartmentStart, ObjectModelAlreadyInitialisedEndsStartUp) {
    // Start-up settles the settings folders; keep them away from the real home.
    const TempFolder folder;
    const EnvironmentOverride xdg("XDG_CONFIG_HOME", (folder.Path() + "/config").c_str());

    struct Case {
        const char* name;
        DWORD firstModel;
    };
    const Case cases[] = {
        {"apartment-threaded", COINIT_APARTMENTTHREADED},
        {"multithreaded", COINIT_MULTITHREADED},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const int callsBefore = CompanionCalls();
        HRESULT first = E_FAIL;
        BOOL started = TRUE;
        bool mainWindow = true;
        // A thread of its own, so that the test thread's object model stays untouched.
        std::thread([&] {
            first = CoInitializeEx(nullptr, c.firstModel);
            CCorvaneApp app;
            started = app.InitInstance();
            mainWindow = app.m_pMainWnd != nullptr;
            CoUninitialize();
        }).join();
        EXPECT_EQ(first, S_OK);
        EXPECT_FALSE(started);
        EXPECT_FALSE(mainWindow);
        EXPECT_EQ(CompanionCalls(), callsBefore);
    }
}
