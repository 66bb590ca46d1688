#include <gtest/gtest.h>

#include <cstring>
#include <memory>
#include <string>

#include "platform/com/Bstr.h"

namespace {

struct BstrDeleter {
    void operator()(OLECHAR* s) const { SysFreeString(s); }
};
using OwnedBstr = std::unique_ptr<OLECHAR, BstrDeleter>;

DWORD BytePrefix(BSTR s) {
    DWORD bytes = 0;
    std::memcpy(&bytes, reinterpret_cast<const BYTE*>(s) - sizeof(DWORD), sizeof(DWORD));
    return bytes;
}

// Checks the layout others read directly: byte count before the text, NUL after it.
void ExpectBstr(BSTR s, const std::u16string& text) {
    ASSERT_NE(s, nullptr);
    EXPECT_EQ(SysStringLen(s), text.size());
    EXPECT_EQ(BytePrefix(s), text.size() * sizeof(OLECHAR));
    EXPECT_EQ(std::u16string(s, SysStringLen(s)), text);
    EXPECT_EQ(s[text.size()], u'\0');
}

TEST(Bstr, AllocStringCopiesUpToTheTerminator) {
    struct Case {
        const char16_t* in;
        std::u16string expected;
    };
    const Case cases[] = {
        {u"", u""},
        {u"abc", u"abc"},
        {u"\U0001F600 wide", u"\U0001F600 wide"},  // a surrogate pair counts as two units
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.expected.begin(), c.expected.end()));
        OwnedBstr s(SysAllocString(c.in));
        ExpectBstr(s.get(), c.expected);
    }
}

TEST(Bstr, AllocStringLenTakesExactlyLenUnits) {
    using namespace std::string_literals;
    struct Case {
        std::u16string source;
        UINT len;
        std::u16string expected;
    };
    const Case cases[] = {
        {u"a\0b\0"s, 4, u"a\0b\0"s},  // embedded NULs survive
        {u"abcdef", 3, u"abc"},       // stops short of a longer source
        {u"abc", 0, u""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.len);
        OwnedBstr s(SysAllocStringLen(c.source.data(), c.len));
        ExpectBstr(s.get(), c.expected);
    }
}

TEST(Bstr, AllocStringLenWithoutSourceIsZeroFilled) {
    OwnedBstr s(SysAllocStringLen(nullptr, 5));
    ExpectBstr(s.get(), std::u16string(5, u'\0'));
}

TEST(Bstr, NullIsNotTheEmptyString) {
    EXPECT_EQ(SysAllocString(nullptr), nullptr);
    EXPECT_EQ(SysStringLen(nullptr), 0u);
    SysFreeString(nullptr);

    OwnedBstr empty(SysAllocString(u""));
    EXPECT_NE(empty.get(), nullptr);
}

}  // namespace
