#include <gtest/gtest.h>

#include <vector>

#include "platform/com/ClassRegistry.h"
#include "platform/com/Dispatch.h"
#include "tests/platform/com/FakeDispatch.h"

namespace {

// Each test uses its own class id: the registry is shared by the whole program.
constexpr CLSID kUnregistered = {0x7E1A0001, 0, 0, {0x80, 0, 0, 0, 0, 0, 0, 0x01}};
constexpr CLSID kRegistered = {0x7E1A0002, 0, 0, {0x80, 0, 0, 0, 0, 0, 0, 0x02}};
constexpr CLSID kReplaced = {0x7E1A0003, 0, 0, {0x80, 0, 0, 0, 0, 0, 0, 0x03}};
constexpr CLSID kNoPointer = {0x7E1A0004, 0, 0, {0x80, 0, 0, 0, 0, 0, 0, 0x04}};
constexpr IID kOtherIid = {0x7E1A00FF, 0, 0, {0x80, 0, 0, 0, 0, 0, 0, 0xFF}};

// What the factories saw; factories are plain functions, so they report through here.
struct FactoryCall {
    int factory;
    IUnknown* outer;
    IID riid;
};
std::vector<FactoryCall> g_calls;
FakeDispatch g_object;

HRESULT CreateFirst(IUnknown* outer, REFIID riid, void** ppv) {
    g_calls.push_back({1, outer, riid});
    return g_object.QueryInterface(riid, ppv);
}

HRESULT CreateSecond(IUnknown* outer, REFIID riid, void** ppv) {
    g_calls.push_back({2, outer, riid});
    return g_object.QueryInterface(riid, ppv);
}

class ClassRegistry : public ::testing::Test {
protected:
    void SetUp() override { g_calls.clear(); }
    void* m_garbage = &g_calls;  // a non-null value that must be cleared
};

TEST_F(ClassRegistry, UnregisteredClassIsRefused) {
    void* object = m_garbage;
    EXPECT_EQ(
        CoCreateInstance(kUnregistered, nullptr, CLSCTX_INPROC_SERVER, IID_IDispatch, &object),
        REGDB_E_CLASSNOTREG);
    EXPECT_EQ(object, nullptr);
}

TEST_F(ClassRegistry, FactoryGetsTheRequestAndItsResultIsReturned) {
    ASSERT_EQ(CoRegisterClass(kRegistered, CreateFirst), S_OK);
    FakeDispatch outer;
    struct Case {
        IID riid;
        DWORD context;
        HRESULT expected;
        void* expectedObject;
    };
    const Case cases[] = {
        {IID_IDispatch, CLSCTX_INPROC_SERVER, S_OK, static_cast<IDispatch*>(&g_object)},
        {IID_IUnknown, CLSCTX_SERVER, S_OK, static_cast<IDispatch*>(&g_object)},
        {kOtherIid, CLSCTX_LOCAL_SERVER, E_NOINTERFACE, nullptr},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.context);
        g_calls.clear();
        void* object = m_garbage;
        EXPECT_EQ(CoCreateInstance(kRegistered, &outer, c.context, c.riid, &object), c.expected);
        EXPECT_EQ(object, c.expectedObject);
        ASSERT_EQ(g_calls.size(), 1u);
        EXPECT_EQ(g_calls[0].outer, &outer);
        EXPECT_EQ(g_calls[0].riid, c.riid);
        if (object) static_cast<IDispatch*>(object)->Release();
    }
    EXPECT_EQ(g_object.Refs(), 1u);
}

TEST_F(ClassRegistry, RegistrationIsReplacedAndRemoved) {
    void* object = nullptr;
    ASSERT_EQ(CoRegisterClass(kReplaced, CreateFirst), S_OK);
    ASSERT_EQ(CoRegisterClass(kReplaced, CreateSecond), S_OK);
    ASSERT_EQ(CoCreateInstance(kReplaced, nullptr, CLSCTX_SERVER, IID_IUnknown, &object), S_OK);
    static_cast<IUnknown*>(object)->Release();
    ASSERT_EQ(g_calls.size(), 1u);
    EXPECT_EQ(g_calls[0].factory, 2);

    ASSERT_EQ(CoRegisterClass(kReplaced, nullptr), S_OK);
    EXPECT_EQ(CoCreateInstance(kReplaced, nullptr, CLSCTX_SERVER, IID_IUnknown, &object),
              REGDB_E_CLASSNOTREG);
    EXPECT_EQ(g_calls.size(), 1u);
}

TEST_F(ClassRegistry, NullOutPointerIsRefusedBeforeTheFactory) {
    ASSERT_EQ(CoRegisterClass(kNoPointer, CreateFirst), S_OK);
    EXPECT_EQ(CoCreateInstance(kNoPointer, nullptr, CLSCTX_INPROC_SERVER, IID_IUnknown, nullptr),
              E_POINTER);
    EXPECT_TRUE(g_calls.empty());
}

}  // namespace
