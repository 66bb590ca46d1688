// The res: scheme: the program's own HTML resources, and nothing else, to no one else.
#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include "engine/ResourceScheme.h"
#include "platform/com/TextConv.h"
#include "platform/win/Module.h"
#include "support/MainLoop.h"
#include "tests/engine/BrowserFixture.h"

namespace {

TEST(ResourceIdFromUriTest, AcceptsOnlyTheProgramPathAndADecimalId) {
    const std::string program = "/opt/velt risk/Veltrisk";
    const std::pair<std::string, std::optional<WORD>> cases[] = {
        {"res:///opt/velt%20risk/Veltrisk/104", 104},
        {"res:///opt/velt risk/Veltrisk/104", 104},
        {"RES:///opt/velt%20risk/Veltrisk/65535", 65535},
        {"res:///opt/velt%20risk/Veltrisk/104?x=1", 104},
        {"res:///opt/velt%20risk/Veltrisk/65536", std::nullopt},
        {"res:///opt/velt%20risk/Veltrisk/", std::nullopt},
        {"res:///opt/velt%20risk/Veltrisk/10a", std::nullopt},
        {"res:///opt/velt%20risk/Veltrisk/+104", std::nullopt},
        {"res:///opt/velt%20risk/Veltrisk/1/104", std::nullopt},
        {"res:///opt/velt%20risk/Veltrisk", std::nullopt},
        {"res:///opt/velt%20risk/Veltriskx/104", std::nullopt},
        {"res:///opt/velt%20risk/104", std::nullopt},
        {"res://host/opt/velt%20risk/Veltrisk/104", std::nullopt},
        {"http:///opt/velt%20risk/Veltrisk/104", std::nullopt},
        {"res:", std::nullopt},
        {"not a uri", std::nullopt},
    };
    for (const auto& [uri, expected] : cases) {
        EXPECT_EQ(ResourceIdFromUri(uri.c_str(), program), expected) << uri;
    }
    EXPECT_EQ(ResourceIdFromUri(nullptr, program), std::nullopt);
    EXPECT_EQ(ResourceIdFromUri("res:///104", ""), std::nullopt);
}

constexpr char kPage[] = "<title>R\xC3\xA9sum\xC3\xA9</title><p>Program page</p>";
// Reads resources next to itself with synchronous requests and reports the outcome in its title.
constexpr char kProbe[] = R"(<title>probe</title><script>
function probe(u) {
  try { var x = new XMLHttpRequest(); x.open('GET', u, false); x.send();
        return x.status == 200 && x.responseText.indexOf('Program page') >= 0 ? 'ok' : 'status' + x.status; }
  catch (e) { return 'refused'; }
}
var dir = location.href.replace(/\/\d+$/, '');
document.title = ['104:' + probe(dir + '/104'), '105:' + probe(dir + '/105'),
                  '107:' + probe(dir + '/107'),
                  'other:' + probe('res:///other' + dir.slice('res://'.length) + '/104')].join(' ');
</script>)";
constexpr char kManifest[] = "<title>not html</title><p>Program page</p>";

const ResourceEntry kEntries[] = {
    {RT_HTML, 104, kPage, sizeof kPage - 1},
    {RT_HTML, 106, kProbe, sizeof kProbe - 1},
    {RT_MANIFEST, 107, kManifest, sizeof kManifest - 1},
};
const ResourceTable kResources{kEntries, std::size(kEntries)};

class ResourceSchemeTest : public BrowserFixture {
protected:
    void SetUp() override {
        SetProgramResources(&kResources);
        BrowserFixture::SetUp();
    }

    static std::string ResourceUrl(int id) {
        WCHAR path[4096];
        const DWORD length = GetModuleFileNameW(nullptr, path, std::size(path));
        return "res://" + WideToUtf8({path, length}) + "/" + std::to_string(id);
    }
};

TEST_F(ResourceSchemeTest, ProgramHtmlResourceLoadsAsUtf8) {
    ASSERT_TRUE(Load(ResourceUrl(104)));
    EXPECT_EQ(DocumentTitle(), "R\xC3\xA9sum\xC3\xA9");
    EXPECT_EQ(LocationUrl(), ResourceUrl(104));
    std::vector<DISPID> events;
    for (const BrowserEvent& e : sink->Navigation()) events.push_back(e.id);
    EXPECT_EQ(events, (std::vector<DISPID>{DISPID_BEFORENAVIGATE2, DISPID_NAVIGATECOMPLETE2,
                                           DISPID_DOCUMENTCOMPLETE}));
    SaveScreenshot("engine-resource-page");
}

TEST_F(ResourceSchemeTest, OnlyHtmlResourcesOfTheProgramAreServed) {
    ASSERT_TRUE(Load(ResourceUrl(106)));
    EXPECT_EQ(DocumentTitle(), "104:ok 105:refused 107:refused other:refused");
}

TEST_F(ResourceSchemeTest, HttpPageCannotReadResourcesSynchronously) {
    server.Handle("/steal", {200,
                             "text/html",
                             R"(<title>steal</title><script>
try { var x = new XMLHttpRequest(); x.open('GET', ')" +
                                 ResourceUrl(104) + R"(', false); x.send();
      document.title = 'read ' + x.status; }
catch (e) { document.title = 'refused'; }
</script>)",
                             {}});
    ASSERT_TRUE(Load(server.Url("/steal")));
    EXPECT_EQ(DocumentTitle(), "refused");
}

}  // namespace
