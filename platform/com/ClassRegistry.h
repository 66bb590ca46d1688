// The classes CoCreateInstance can make. There is no system registry: each class is registered
// by the code that implements it, at start-up.
#pragma once

#include "platform/com/Guid.h"
#include "platform/com/Types.h"
#include "platform/com/Unknown.h"

constexpr DWORD CLSCTX_INPROC_SERVER = 0x1;
constexpr DWORD CLSCTX_LOCAL_SERVER = 0x4;
constexpr DWORD CLSCTX_REMOTE_SERVER = 0x10;
constexpr DWORD CLSCTX_SERVER = 0x15;

// Makes a new object and queries it for riid into *ppv.
using PFNCREATEINSTANCE = HRESULT (*)(IUnknown* outer, REFIID riid, void** ppv);

// Replaces an existing registration; a null create removes it.
HRESULT CoRegisterClass(REFCLSID clsid, PFNCREATEINSTANCE create);
// clsContext is accepted as given: every object here is in process. REGDB_E_CLASSNOTREG for a
// class nobody registered, otherwise whatever the class's create returns.
HRESULT CoCreateInstance(REFCLSID clsid, IUnknown* outer, DWORD clsContext, REFIID riid,
                         LPVOID* ppv);
