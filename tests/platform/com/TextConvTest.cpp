#include <gtest/gtest.h>

#include "platform/com/TextConv.h"

namespace {

TEST(TextConv, InvalidUtf8BecomesReplacementCharacters) {
    struct Case {
        const char* name;
        std::string utf8;
        std::u16string expected;
    };
    const Case cases[] = {
        {"stray continuation byte", "a\x80z", u"a\uFFFDz"},
        {"byte never valid", "a\xFFz", u"a\uFFFDz"},
        {"overlong slash", "\xC0\xAF", u"\uFFFD\uFFFD"},
        {"encoded surrogate", "\xED\xA0\x80", u"\uFFFD\uFFFD\uFFFD"},
        {"beyond U+10FFFF", "\xF4\x90\x80\x80", u"\uFFFD\uFFFD\uFFFD\uFFFD"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(Utf8ToWide(c.utf8), c.expected);
    }
}

TEST(TextConv, TruncatedSequenceDoesNotSwallowWhatFollows) {
    for (const std::string utf8 : {"\xE2\x82", "\xE2\x82z", "\xF0\x9F\x98z"}) {
        SCOPED_TRACE(utf8);
        const std::u16string wide = Utf8ToWide(utf8);
        ASSERT_FALSE(wide.empty());
        EXPECT_EQ(wide.front(), u'\uFFFD');
        const bool endsWithZ = utf8.back() == 'z';
        EXPECT_EQ(wide.back(), endsWithZ ? u'z' : u'\uFFFD');
        EXPECT_EQ(wide.find_first_not_of(u'\uFFFD'), endsWithZ ? wide.size() - 1 : wide.npos);
    }
}

TEST(TextConv, SupplementaryCharactersRoundTripAsSurrogatePairs) {
    const std::string utf8 = "a\xF0\x9F\x98\x80\xF4\x8F\xBF\xBFz";  // U+1F600, U+10FFFF
    const std::u16string wide = Utf8ToWide(utf8);
    EXPECT_EQ(wide, u"a\xD83D\xDE00\xDBFF\xDFFFz");
    EXPECT_EQ(WideToUtf8(wide), utf8);
}

TEST(TextConv, UnpairedSurrogatesBecomeReplacementCharacters) {
    EXPECT_EQ(WideToUtf8(u"a\xD83Dz"), "a\xEF\xBF\xBDz");
    EXPECT_EQ(WideToUtf8(u"\xDE00\xD83D"), "\xEF\xBF\xBD\xEF\xBF\xBD");  // reversed pair
}

TEST(TextConv, WideLengthCountsUnitsAndAcceptsNull) {
    EXPECT_EQ(WideLength(nullptr), 0u);
    EXPECT_EQ(WideLength(u""), 0u);
    EXPECT_EQ(WideLength(u"a\U0001F600"), 3u);
}

}  // namespace
