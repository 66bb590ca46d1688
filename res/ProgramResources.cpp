#include "res/ProgramResources.h"

#include <cstdint>
#include <iterator>
#include <vector>

#include "platform/win/DialogTemplate.h"
#include "platform/win/IconGroup.h"
#include "platform/win/MenuTemplate.h"
#include "platform/win/Messages.h"
#include "platform/win/VersionBlockWriter.h"
#include "platform/win/VersionInfo.h"
#include "res/ResourceIds.h"

// Files compiled in by embed_files (CMakeLists.txt): their bytes, then their size.
#define EMBEDDED_FILE(name)           \
    extern const std::uint8_t name[]; \
    extern const std::size_t name##_size;
EMBEDDED_FILE(res_veltrisk_16_png)
EMBEDDED_FILE(res_veltrisk_24_png)
EMBEDDED_FILE(res_veltrisk_32_png)
EMBEDDED_FILE(res_veltrisk_48_png)
EMBEDDED_FILE(res_veltrisk_256_png)
EMBEDDED_FILE(res_blank_htm)
EMBEDDED_FILE(res_home_htm)
EMBEDDED_FILE(res_app_manifest)
#undef EMBEDDED_FILE

namespace {

constexpr BYTE DEFAULT_CHARSET = 1;

constexpr DialogTemplate kMainDialog{
    WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_THICKFRAME | WS_MINIMIZEBOX | WS_MAXIMIZEBOX |
        DS_SETFONT | DS_FIXEDSYS,
    WS_EX_APPWINDOW,
    50,
    50,
    840,
    480,
    IDR_MAIN_MENU,
    u"Veltrisk",
    8,
    0,
    FALSE,
    DEFAULT_CHARSET,
    u"MS Shell Dlg",
    nullptr,
    0,
};

// The caption is the shown page's title.
constexpr DialogTemplate kPopupDialog{
    WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_THICKFRAME | DS_SETFONT | DS_FIXEDSYS,
    0,
    0,
    0,
    320,
    200,
    0,
    u"",
    8,
    0,
    FALSE,
    DEFAULT_CHARSET,
    u"MS Shell Dlg",
    nullptr,
    0,
};

constexpr DialogControl kLoginControls[] = {
    {IDOK, ControlClass::Button, u"OK", WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_DEFPUSHBUTTON, 0,
     42, 83, 50, 14},
    {IDCANCEL, ControlClass::Button, u"Cancel", WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_PUSHBUTTON,
     0, 114, 83, 50, 14},
    {IDC_USERNAME_LABEL, ControlClass::Static, u"Username : ",
     WS_CHILD | WS_VISIBLE | WS_GROUP | SS_LEFT, 0, 18, 29, 40, 8},
    {IDC_PASSWORD_LABEL, ControlClass::Static, u"Password : ",
     WS_CHILD | WS_VISIBLE | WS_GROUP | SS_LEFT, 0, 18, 53, 38, 13},
    {IDC_USERNAME, ControlClass::Edit, u"",
     WS_CHILD | WS_VISIBLE | WS_BORDER | WS_TABSTOP | ES_LEFT | ES_AUTOHSCROLL, 0, 66, 29, 126, 14},
    // Masked: a password shown in clear is readable by anyone who sees the screen.
    {IDC_PASSWORD, ControlClass::Edit, u"",
     WS_CHILD | WS_VISIBLE | WS_BORDER | WS_TABSTOP | ES_LEFT | ES_AUTOHSCROLL | ES_PASSWORD, 0, 66,
     53, 127, 14},
    {IDC_STATIC, ControlClass::Static, u"Please enter the login details for this website",
     WS_CHILD | WS_VISIBLE | WS_GROUP | SS_LEFT, 0, 12, 6, 193, 8},
};

constexpr DialogTemplate kLoginDialog{
    WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME | DS_SETFONT | DS_FIXEDSYS,
    0,
    0,
    0,
    225,
    104,
    0,
    u"Basic Authentication",
    8,
    400,
    FALSE,
    DEFAULT_CHARSET,
    u"MS Shell Dlg",
    kLoginControls,
    std::size(kLoginControls),
};

constexpr MenuItem kFileItems[] = {
    {u"Internet options", ID_FILE_INTERNET_OPTIONS},
    {u"Add to bookmarks", ID_FILE_ADD_BOOKMARK},
    {u"Bookmarks...", ID_FILE_BOOKMARKS},
    {u"Exit", ID_FILE_EXIT},
};
constexpr MenuPopup kMainMenuPopups[] = {{u"File", kFileItems, std::size(kFileItems)}};
constexpr MenuTemplate kMainMenu{kMainMenuPopups, std::size(kMainMenuPopups)};

constexpr char16_t kAddressText[] = u"Address:";

// String-table entries hold their text without the terminator.
template <std::size_t N>
constexpr DWORD TextBytes(const char16_t (&text)[N]) {
    return (N - 1) * sizeof text[0];
}

constexpr VersionFixedInfo kVersionFixedInfo{
    {1, 1, 2, 0}, {1, 1, 2, 0}, VS_FFI_FILEFLAGSMASK, 0, VOS_NT_WINDOWS32, VFT_APP,
};
constexpr VersionString kVersionStrings[] = {
    {u"CompanyName", u"Corvane"},
    {u"FileVersion", u"1.1.2"},
    {u"InternalName", u"Veltrisk.exe"},
    {u"LegalCopyright", u"Copyright (C) 2026 Corvane. All rights reserved."},
    {u"OriginalFilename", u"Veltrisk.exe"},
    {u"ProductName", u"Veltrisk"},
    {u"ProductVersion", u"1.1.2"},
};
constexpr LANGID kVersionLanguage = 0x0409;  // English (United States)
constexpr WORD kVersionCodePage = 0x04B0;    // Unicode

std::vector<std::uint8_t> BuildVersionBlock() {
    CVersionBlockWriter writer(kVersionFixedInfo);
    writer.AddStringTable(u"040904B0", kVersionStrings);
    writer.AddTranslation(kVersionLanguage, kVersionCodePage);
    return writer.Build();
}

DWORD SizeOf(std::size_t size) {
    return static_cast<DWORD>(size);
}

}  // namespace

const ResourceTable* ProgramResources() {
    static const std::vector<std::uint8_t> version = BuildVersionBlock();
    static const IconImage icons[] = {
        {16, res_veltrisk_16_png, res_veltrisk_16_png_size},
        {24, res_veltrisk_24_png, res_veltrisk_24_png_size},
        {32, res_veltrisk_32_png, res_veltrisk_32_png_size},
        {48, res_veltrisk_48_png, res_veltrisk_48_png_size},
        {256, res_veltrisk_256_png, res_veltrisk_256_png_size},
    };
    static const IconGroup icon{icons, std::size(icons)};
    static const ResourceEntry entries[] = {
        {RT_DIALOG, IDD_LOGIN_DIALOG, &kLoginDialog, sizeof kLoginDialog},
        {RT_DIALOG, IDD_MAIN_DIALOG, &kMainDialog, sizeof kMainDialog},
        {RT_DIALOG, IDD_POPUP_DIALOG, &kPopupDialog, sizeof kPopupDialog},
        {RT_MENU, IDR_MAIN_MENU, &kMainMenu, sizeof kMainMenu},
        {RT_STRING, IDS_ADDRESS, kAddressText, TextBytes(kAddressText)},
        {RT_GROUP_ICON, IDR_MAINFRAME, &icon, sizeof icon},
        {RT_HTML, IDR_HTML_BLANK, res_blank_htm, SizeOf(res_blank_htm_size)},
        {RT_HTML, IDR_HTML_HOME, res_home_htm, SizeOf(res_home_htm_size)},
        {RT_VERSION, VS_VERSION_INFO, version.data(), SizeOf(version.size())},
        {RT_MANIFEST, IDR_APP_MANIFEST, res_app_manifest, SizeOf(res_app_manifest_size)},
    };
    static const ResourceTable table{entries, std::size(entries)};
    return &table;
}
