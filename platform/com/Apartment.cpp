#include "platform/com/Apartment.h"

namespace {

struct ThreadApartment {
    int initCount = 0;
    DWORD model = COINIT_MULTITHREADED;
};

thread_local ThreadApartment t_apartment;

}  // namespace

HRESULT CoInitializeEx(LPVOID reserved, DWORD coInit) {
    if (reserved) return E_INVALIDARG;
    // The remaining bits are hints that do not change the threading model.
    const DWORD model = coInit & COINIT_APARTMENTTHREADED;
    if (t_apartment.initCount > 0 && t_apartment.model != model) return RPC_E_CHANGED_MODE;
    t_apartment.model = model;
    return t_apartment.initCount++ == 0 ? S_OK : S_FALSE;
}

void CoUninitialize() {
    if (t_apartment.initCount > 0) --t_apartment.initCount;
}
