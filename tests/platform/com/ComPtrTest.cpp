#include <gtest/gtest.h>

#include <utility>

#include "platform/com/ComPtr.h"
#include "platform/com/Dispatch.h"
#include "tests/platform/com/FakeDispatch.h"

namespace {

constexpr IID kOtherIid = {0x7E1A01FF, 0, 0, {0x80, 0, 0, 0, 0, 0, 0, 0xFF}};

// Hands out a new reference, as creation functions do.
HRESULT GetObject(FakeDispatch& object, IDispatch** out) {
    *out = &object;
    object.AddRef();
    return S_OK;
}

TEST(ComPtr, CopiesAddAReferenceAndMovesDoNot) {
    FakeDispatch object;
    {
        CComPtr<IDispatch> first(&object);
        EXPECT_EQ(object.Refs(), 2u);
        CComPtr<IDispatch> copy(first);
        EXPECT_EQ(object.Refs(), 3u);
        CComPtr<IDispatch> moved(std::move(copy));
        EXPECT_EQ(object.Refs(), 3u);
        EXPECT_EQ(copy.Get(), nullptr);
        EXPECT_EQ(moved.Get(), &object);
    }
    EXPECT_EQ(object.Refs(), 1u);
}

TEST(ComPtr, AssignmentReleasesWhatWasHeld) {
    FakeDispatch a;
    FakeDispatch b;
    {
        CComPtr<IDispatch> p(&a);
        CComPtr<IDispatch> q(&b);
        p = q;
        EXPECT_EQ(a.Refs(), 1u);
        EXPECT_EQ(b.Refs(), 3u);
        p = p;
        EXPECT_EQ(b.Refs(), 3u);
        p = std::move(q);
        EXPECT_EQ(b.Refs(), 2u);
        p = nullptr;
        EXPECT_EQ(b.Refs(), 1u);
        EXPECT_EQ(p.Get(), nullptr);
    }
    EXPECT_EQ(a.Refs(), 1u);
    EXPECT_EQ(b.Refs(), 1u);
}

TEST(ComPtr, AttachAndDetachPassOwnershipWithoutCounting) {
    FakeDispatch a;
    FakeDispatch b;
    {
        CComPtr<IDispatch> p;
        a.AddRef();
        p.Attach(&a);
        EXPECT_EQ(a.Refs(), 2u);
        b.AddRef();
        p.Attach(&b);
        EXPECT_EQ(a.Refs(), 1u);
        EXPECT_EQ(b.Refs(), 2u);
        IDispatch* detached = p.Detach();
        EXPECT_EQ(detached, &b);
        EXPECT_EQ(p.Get(), nullptr);
        EXPECT_EQ(b.Refs(), 2u);
        detached->Release();
    }
    EXPECT_EQ(b.Refs(), 1u);
}

TEST(ComPtr, OutParameterAndReleaseBalance) {
    FakeDispatch object;
    {
        CComPtr<IDispatch> p;
        ASSERT_EQ(GetObject(object, &p), S_OK);
        EXPECT_EQ(p.Get(), &object);
        EXPECT_EQ(object.Refs(), 2u);
        p.Release();
        EXPECT_EQ(p.Get(), nullptr);
        EXPECT_EQ(object.Refs(), 1u);
        p.Release();
        EXPECT_EQ(object.Refs(), 1u);
    }
    EXPECT_EQ(object.Refs(), 1u);
}

TEST(ComPtr, CopyToHandsOutAReference) {
    FakeDispatch object;
    CComPtr<IDispatch> p(&object);
    IDispatch* out = nullptr;
    ASSERT_EQ(p.CopyTo(&out), S_OK);
    EXPECT_EQ(out, &object);
    EXPECT_EQ(object.Refs(), 3u);
    out->Release();
    EXPECT_EQ(p.CopyTo(nullptr), E_POINTER);

    CComPtr<IDispatch> empty;
    out = &object;
    EXPECT_EQ(empty.CopyTo(&out), S_OK);
    EXPECT_EQ(out, nullptr);
}

TEST(ComPtr, QueryInterfaceClearsTheOutputAndCountsOnSuccess) {
    FakeDispatch object;
    CComPtr<IDispatch> p(&object);
    struct Case {
        IID riid;
        HRESULT expected;
    };
    for (const Case& c : {Case{IID_IUnknown, S_OK}, Case{kOtherIid, E_NOINTERFACE}}) {
        IUnknown* out = &object;
        EXPECT_EQ(p.QueryInterface(c.riid, &out), c.expected);
        EXPECT_EQ(out, c.expected == S_OK ? static_cast<IUnknown*>(&object) : nullptr);
        EXPECT_EQ(object.Refs(), c.expected == S_OK ? 3u : 2u);
        if (out) out->Release();
    }
    CComPtr<IDispatch> empty;
    IUnknown* out = &object;
    EXPECT_EQ(empty.QueryInterface(IID_IUnknown, &out), E_POINTER);
    EXPECT_EQ(out, nullptr);
    EXPECT_EQ(p.QueryInterface<IUnknown>(IID_IUnknown, nullptr), E_POINTER);
}

}  // namespace
