// The calling thread's last error code, and the few codes the platform layer sets.
#pragma once

#include "platform/com/Types.h"

constexpr DWORD ERROR_SUCCESS = 0;
constexpr DWORD ERROR_FILE_NOT_FOUND = 2;
constexpr DWORD ERROR_PATH_NOT_FOUND = 3;
constexpr DWORD ERROR_ACCESS_DENIED = 5;
constexpr DWORD ERROR_GEN_FAILURE = 31;
constexpr DWORD ERROR_ALREADY_EXISTS = 183;

// Thread-local, like the original.
DWORD GetLastError();
void SetLastError(DWORD error);

// Maps an errno value to the nearest code above; unknown values become ERROR_GEN_FAILURE.
DWORD ErrorFromErrno(int error);
