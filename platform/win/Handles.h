// Opaque handles of the window system.
#pragma once

#include "platform/com/Types.h"

struct Window;
using HWND = Window*;
using HANDLE = void*;
