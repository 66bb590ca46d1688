// Per-thread initialisation of the object model. Only the bookkeeping exists here: every object
// lives in process and is called on the thread that uses it.
#pragma once

#include "platform/com/Types.h"

constexpr DWORD COINIT_MULTITHREADED = 0x0;
constexpr DWORD COINIT_APARTMENTTHREADED = 0x2;

// S_OK the first time on a thread, S_FALSE again with the same model (both need a matching
// CoUninitialize), RPC_E_CHANGED_MODE for the other model (which needs none). reserved must be
// null.
HRESULT CoInitializeEx(LPVOID reserved, DWORD coInit);
// Balances one successful CoInitializeEx; the last one leaves the thread uninitialised.
void CoUninitialize();
