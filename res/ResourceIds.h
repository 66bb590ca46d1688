// Ids of the program's resources and of the commands its menu sends.
#pragma once

#include "platform/com/Types.h"

constexpr WORD VS_VERSION_INFO = 1;
constexpr WORD IDR_APP_MANIFEST = 1;
constexpr WORD IDD_LOGIN_DIALOG = 7;
constexpr WORD IDS_ADDRESS = 8;
constexpr WORD IDD_MAIN_DIALOG = 102;
constexpr WORD IDD_POPUP_DIALOG = 103;
constexpr WORD IDR_HTML_BLANK = 104;
constexpr WORD IDR_MAINFRAME = 128;
constexpr WORD IDR_HTML_HOME = 133;
constexpr WORD IDR_MAIN_MENU = 140;

constexpr UINT ID_FILE_ADD_BOOKMARK = 32771;
constexpr UINT ID_FILE_BOOKMARKS = 32772;
constexpr UINT ID_FILE_EXIT = 32773;
constexpr UINT ID_FILE_INTERNET_OPTIONS = 32774;

// Controls of the credentials dialog.
constexpr int IDC_STATIC = -1;
constexpr int IDC_USERNAME_LABEL = 1000;
constexpr int IDC_PASSWORD_LABEL = 1001;
constexpr int IDC_USERNAME = 1002;
constexpr int IDC_PASSWORD = 1003;
