#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "platform/com/Dispatch.h"
#include "platform/com/Variant.h"
#include "tests/platform/com/FakeDispatch.h"

// Freeing a BSTR has no effect a test can see here; the sanitizer build reports it as a leak.

namespace {

VARIANT MakeVariant(VARTYPE vt) {
    VARIANT v;
    VariantInit(&v);
    v.vt = vt;
    return v;
}

VARIANT MakeBstr(const std::u16string& text) {
    VARIANT v = MakeVariant(VT_BSTR);
    v.bstrVal = SysAllocStringLen(text.data(), static_cast<UINT>(text.size()));
    return v;
}

std::u16string Text(BSTR s) {
    return std::u16string(s, SysStringLen(s));
}

TEST(Variant, ClearReleasesOwnedInterfacesOnly) {
    struct Case {
        const char* name;
        VARTYPE vt;
        bool byRef;
        ULONG refsAfter;
    };
    const Case cases[] = {
        {"dispatch", VT_DISPATCH, false, 1},
        {"unknown", VT_UNKNOWN, false, 1},
        {"dispatch by reference", VT_DISPATCH | VT_BYREF, true, 2},
        {"unknown by reference", VT_UNKNOWN | VT_BYREF, true, 2},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        FakeDispatch object;
        IDispatch* held = &object;
        object.AddRef();
        VARIANT v = MakeVariant(c.vt);
        if (c.byRef) {
            v.ppdispVal = &held;
        } else {
            v.pdispVal = held;
        }
        EXPECT_EQ(VariantClear(&v), S_OK);
        EXPECT_EQ(v.vt, VT_EMPTY);
        EXPECT_EQ(object.Refs(), c.refsAfter);
    }
}

TEST(Variant, ClearEmptiesEveryKind) {
    BSTR borrowed = SysAllocString(u"borrowed");
    VARIANT cases[] = {MakeBstr(u"owned"), MakeVariant(VT_BSTR), MakeVariant(VT_DISPATCH),
                       MakeVariant(VT_I4), MakeVariant(VT_BSTR | VT_BYREF)};
    cases[3].lVal = 42;
    cases[4].pbstrVal = &borrowed;
    for (VARIANT& v : cases) {
        SCOPED_TRACE(v.vt);
        EXPECT_EQ(VariantClear(&v), S_OK);
        EXPECT_EQ(v.vt, VT_EMPTY);
    }
    // Still alive after the by-reference variant was cleared.
    EXPECT_EQ(Text(borrowed), u"borrowed");
    SysFreeString(borrowed);
    EXPECT_EQ(VariantClear(nullptr), E_INVALIDARG);
}

TEST(Variant, CopyOfBstrIsIndependent) {
    using namespace std::string_literals;
    VARIANT src = MakeBstr(u"a\0b"s);
    VARIANT dest = MakeVariant(VT_EMPTY);
    ASSERT_EQ(VariantCopy(&dest, &src), S_OK);
    EXPECT_EQ(dest.vt, VT_BSTR);
    EXPECT_NE(dest.bstrVal, src.bstrVal);
    VariantClear(&src);
    EXPECT_EQ(Text(dest.bstrVal), u"a\0b"s);
    VariantClear(&dest);
}

TEST(Variant, CopyOfNullBstrStaysNull) {
    VARIANT src = MakeVariant(VT_BSTR);
    VARIANT dest = MakeVariant(VT_EMPTY);
    ASSERT_EQ(VariantCopy(&dest, &src), S_OK);
    EXPECT_EQ(dest.vt, VT_BSTR);
    EXPECT_EQ(dest.bstrVal, nullptr);
}

TEST(Variant, CopyAddsAReferenceAndReleasesWhatDestHeld) {
    FakeDispatch copied;
    FakeDispatch overwritten;
    VARIANT src = MakeVariant(VT_DISPATCH);
    src.pdispVal = &copied;  // borrows the creator's reference
    VARIANT dest = MakeVariant(VT_DISPATCH);
    dest.pdispVal = &overwritten;
    overwritten.AddRef();

    ASSERT_EQ(VariantCopy(&dest, &src), S_OK);
    EXPECT_EQ(dest.pdispVal, &copied);
    EXPECT_EQ(copied.Refs(), 2u);
    EXPECT_EQ(overwritten.Refs(), 1u);
    VariantClear(&dest);
    EXPECT_EQ(copied.Refs(), 1u);
}

TEST(Variant, CopyOfScalarsKeepsTypeAndValue) {
    VARIANT i4 = MakeVariant(VT_I4);
    i4.lVal = -7;
    VARIANT r8 = MakeVariant(VT_R8);
    r8.dblVal = 2.5;
    VARIANT flag = MakeVariant(VT_BOOL);
    flag.boolVal = VARIANT_TRUE;
    for (const VARIANT& src : {i4, r8, flag}) {
        SCOPED_TRACE(src.vt);
        VARIANT dest = MakeBstr(u"replaced");
        ASSERT_EQ(VariantCopy(&dest, &src), S_OK);
        EXPECT_EQ(dest.vt, src.vt);
        // The widest member covers every narrower one.
        EXPECT_EQ(std::memcmp(&dest.dblVal, &src.dblVal, sizeof(double)), 0);
    }
}

TEST(Variant, CopyOntoItselfKeepsTheValue) {
    VARIANT v = MakeBstr(u"self");
    ASSERT_EQ(VariantCopy(&v, &v), S_OK);
    EXPECT_EQ(Text(v.bstrVal), u"self");
    VariantClear(&v);
    EXPECT_EQ(VariantCopy(nullptr, &v), E_INVALIDARG);
    EXPECT_EQ(VariantCopy(&v, nullptr), E_INVALIDARG);
}

}  // namespace
