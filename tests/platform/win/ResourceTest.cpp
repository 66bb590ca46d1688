#include <gtest/gtest.h>

#include <iterator>
#include <string>

#include "platform/win/Module.h"
#include "platform/win/Resource.h"

namespace {

constexpr char16_t kAddress[] = u"Address:";
constexpr char kPage[] = "<html></html>";

// Two entries share id 8 with different types; the string is stored without its NUL.
constexpr ResourceEntry kEntries[] = {
    {RT_STRING, 8, kAddress, 16},
    {RT_STRING, 9, u"", 0},
    {RT_HTML, 8, kPage, sizeof kPage - 1},
};
constexpr ResourceTable kTable{kEntries, std::size(kEntries)};

class ResourceTest : public testing::Test {
protected:
    void SetUp() override { module.resources = &kTable; }

    Module module;
};

}  // namespace

TEST_F(ResourceTest, FindsByTypeAndId) {
    const HRSRC html = FindResourceW(&module, MAKEINTRESOURCEW(8), MAKEINTRESOURCEW(RT_HTML));
    ASSERT_EQ(html, &kEntries[2]);
    EXPECT_EQ(LockResource(LoadResource(&module, html)), static_cast<const void*>(kPage));
    EXPECT_EQ(SizeofResource(&module, html), 13u);
    EXPECT_EQ(FindResourceW(&module, MAKEINTRESOURCEW(8), MAKEINTRESOURCEW(RT_STRING)),
              &kEntries[0]);
}

TEST_F(ResourceTest, MissingOrNamedResourcesAreNotFound) {
    Module empty;
    const HRSRC none[] = {
        FindResourceW(&module, MAKEINTRESOURCEW(7), MAKEINTRESOURCEW(RT_STRING)),
        FindResourceW(&module, MAKEINTRESOURCEW(8), MAKEINTRESOURCEW(RT_DIALOG)),
        FindResourceW(&module, u"ADDRESS", MAKEINTRESOURCEW(RT_STRING)),
        FindResourceW(&module, MAKEINTRESOURCEW(8), u"HTML"),
        FindResourceW(&empty, MAKEINTRESOURCEW(8), MAKEINTRESOURCEW(RT_STRING)),
    };
    for (const HRSRC found : none) EXPECT_EQ(found, nullptr);
    EXPECT_EQ(LoadResource(&module, nullptr), nullptr);
    EXPECT_EQ(SizeofResource(&module, nullptr), 0u);
}

TEST_F(ResourceTest, NullModuleIsTheProgram) {
    const ResourceTable* previous = GetProgramModule()->resources;
    SetProgramResources(&kTable);
    EXPECT_EQ(FindResourceW(nullptr, MAKEINTRESOURCEW(8), MAKEINTRESOURCEW(RT_HTML)), &kEntries[2]);
    const WCHAR* text = nullptr;
    EXPECT_EQ(LoadStringW(nullptr, 8, reinterpret_cast<LPWSTR>(&text), 0), 8);
    SetProgramResources(previous);
}

TEST_F(ResourceTest, LoadStringGivesPointerWhenBufferMaxIsZero) {
    const WCHAR* text = nullptr;
    ASSERT_EQ(LoadStringW(&module, 8, reinterpret_cast<LPWSTR>(&text), 0), 8);
    EXPECT_EQ(text, kAddress);
    EXPECT_EQ(LoadStringW(&module, 7, reinterpret_cast<LPWSTR>(&text), 0), 0);
}

TEST_F(ResourceTest, LoadStringCopiesWhatFits) {
    struct Case {
        UINT id;
        int bufferMax;
        int length;
        std::u16string text;
    };
    const Case cases[] = {
        {8, 64, 8, u"Address:"}, {8, 9, 8, u"Address:"}, {8, 8, 7, u"Address"}, {8, 1, 0, u""},
        {9, 64, 0, u""},         {7, 64, 0, u""},        {0x10008, 64, 0, u""},  // not a 16-bit id,
                                                                                 // so not string 8
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.id << " into " << c.bufferMax);
        WCHAR buffer[64];
        std::fill(std::begin(buffer), std::end(buffer), u'#');
        EXPECT_EQ(LoadStringW(&module, c.id, buffer, c.bufferMax), c.length);
        EXPECT_EQ(std::u16string(buffer), c.text);
    }
}

TEST_F(ResourceTest, LoadStringRejectsBadBuffers) {
    WCHAR buffer[4] = {u'#', u'#', u'#', 0};
    EXPECT_EQ(LoadStringW(&module, 8, nullptr, 16), 0);
    EXPECT_EQ(LoadStringW(&module, 8, buffer, -1), 0);
    EXPECT_EQ(std::u16string(buffer), u"###");
}
