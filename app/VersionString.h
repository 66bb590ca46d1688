// Texts of the program's version resource, such as its company or internal name.
#pragma once

#include "platform/afx/String.h"
#include "platform/win/Resource.h"

// The value of key in the string table the version resource's translation names, or, when it
// names none or several, the user's language with code page 04B0; empty when missing.
CString GetVersionString(LPCWSTR key);
// The same from another module's version resource; a null module is the program.
CString GetVersionString(HMODULE module, LPCWSTR key);
