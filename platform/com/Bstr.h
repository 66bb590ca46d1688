// BSTR: UTF-16 text preceded by its length in bytes, so it may hold embedded NULs.
#pragma once

#include "platform/com/Types.h"

// Points at the text; the 4-byte byte count sits just before it, a NUL just after it.
using BSTR = OLECHAR*;

// Null in, null out.
BSTR SysAllocString(LPCOLESTR s);
// Copies len units from s, or leaves them zeroed when s is null. Null when out of memory.
BSTR SysAllocStringLen(const OLECHAR* s, UINT len);
// Null is accepted.
void SysFreeString(BSTR s);
// Length in UTF-16 units, embedded NULs included; 0 for null.
UINT SysStringLen(BSTR s);
