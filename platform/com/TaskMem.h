// The task allocator: memory handed across interfaces, freed by whoever receives it.
#pragma once

#include "platform/com/Types.h"

// A zero-size request still returns a distinct, freeable block; null only when memory runs out.
LPVOID CoTaskMemAlloc(SIZE_T cb);
// Null is accepted.
void CoTaskMemFree(LPVOID pv);
