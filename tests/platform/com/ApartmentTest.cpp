#include <gtest/gtest.h>

#include <thread>
#include <vector>

#include "platform/com/Apartment.h"

namespace {

// Uninitialise steps have no result; only initialise steps are compared.
struct Step {
    bool init;
    DWORD model;
    HRESULT expected;
};

constexpr DWORD kApartment = COINIT_APARTMENTTHREADED;
constexpr DWORD kMulti = COINIT_MULTITHREADED;
// Hint bits beside the model (0x4 turns off OLE1 DDE) leave the model as it is.
constexpr DWORD kApartmentWithHint = COINIT_APARTMENTTHREADED | 0x4;

constexpr Step Init(DWORD model, HRESULT expected) {
    return {true, model, expected};
}
constexpr Step Uninit() {
    return {false, 0, S_OK};
}

void ExpectSequenceOnFreshThread(const std::vector<Step>& steps) {
    std::vector<HRESULT> results;
    std::vector<HRESULT> expected;
    std::thread([&] {
        for (const Step& step : steps) {
            if (step.init) {
                results.push_back(CoInitializeEx(nullptr, step.model));
                expected.push_back(step.expected);
            } else {
                CoUninitialize();
            }
        }
    }).join();
    EXPECT_EQ(results, expected);
}

TEST(Apartment, RepeatedAndConflictingInitialisation) {
    ExpectSequenceOnFreshThread({
        Init(kApartment, S_OK),
        Init(kApartmentWithHint, S_FALSE),
        Init(kMulti, RPC_E_CHANGED_MODE),
        Uninit(),
        // The S_OK and the S_FALSE each need their own balance; the failed call needs none.
        Init(kMulti, RPC_E_CHANGED_MODE),
        Uninit(),
        Init(kMulti, S_OK),
        Init(kMulti, S_FALSE),
    });
}

TEST(Apartment, ExtraUninitialiseIsHarmless) {
    ExpectSequenceOnFreshThread({
        Uninit(),
        Init(kMulti, S_OK),
        Uninit(),
        Uninit(),
        Init(kApartment, S_OK),
        Init(kApartment, S_FALSE),
    });
}

TEST(Apartment, EachThreadHasItsOwnModel) {
    std::vector<HRESULT> results;
    std::thread([&] {
        results.push_back(CoInitializeEx(nullptr, kApartment));
        std::thread([&] { results.push_back(CoInitializeEx(nullptr, kMulti)); }).join();
        results.push_back(CoInitializeEx(nullptr, kMulti));
    }).join();
    EXPECT_EQ(results, (std::vector<HRESULT>{S_OK, S_OK, RPC_E_CHANGED_MODE}));
}

TEST(Apartment, RefusedCallLeavesTheThreadUninitialised) {
    int reserved = 0;
    std::vector<HRESULT> results;
    std::thread([&] {
        results.push_back(CoInitializeEx(&reserved, kApartment));
        results.push_back(CoInitializeEx(nullptr, kMulti));
    }).join();
    EXPECT_EQ(results, (std::vector<HRESULT>{E_INVALIDARG, S_OK}));
}

}  // namespace
