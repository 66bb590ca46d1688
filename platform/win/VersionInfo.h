// Version resources: the binary VS_VERSIONINFO block and queries into it, plus the user's
// language, which picks the string table when a block names no translation.
#pragma once

#include "platform/com/Types.h"

struct VS_FIXEDFILEINFO {
    DWORD dwSignature;
    DWORD dwStrucVersion;
    DWORD dwFileVersionMS;
    DWORD dwFileVersionLS;
    DWORD dwProductVersionMS;
    DWORD dwProductVersionLS;
    DWORD dwFileFlagsMask;
    DWORD dwFileFlags;
    DWORD dwFileOS;
    DWORD dwFileType;
    DWORD dwFileSubtype;
    DWORD dwFileDateMS;
    DWORD dwFileDateLS;
};

constexpr DWORD VS_FFI_SIGNATURE = 0xFEEF04BD;
constexpr DWORD VS_FFI_STRUCVERSION = 0x00010000;
constexpr DWORD VS_FFI_FILEFLAGSMASK = 0x0000003F;
constexpr DWORD VOS_NT_WINDOWS32 = 0x00040004;
constexpr DWORD VFT_APP = 0x00000001;

// The root node's wLength is taken as the block's size; nothing beyond it is read. Paths:
// "\" gives the VS_FIXEDFILEINFO (length in bytes), "\VarFileInfo\Translation" the translation
// array (bytes), "\StringFileInfo\<block>\<key>" the text (WCHARs, terminator included). Keys
// match ignoring ASCII case. A node without a value gives length 0 and an empty text.
BOOL VerQueryValueW(const void* block, LPCWSTR subBlock, LPVOID* buffer, UINT* length);

// From LC_ALL, LC_MESSAGES or LANG, the first one set; 0x0409 when unknown.
LANGID GetUserDefaultLangID();
