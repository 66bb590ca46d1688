#include "platform/com/ClassRegistry.h"

#include <algorithm>
#include <mutex>
#include <vector>

namespace {

struct Registration {
    CLSID clsid;
    PFNCREATEINSTANCE create;
};

// A handful of classes: a list searched in order is all it takes.
struct Registry {
    std::mutex mutex;
    std::vector<Registration> classes;
};

Registry& TheRegistry() {
    static Registry registry;
    return registry;
}

std::vector<Registration>::iterator Find(std::vector<Registration>& classes, REFCLSID clsid) {
    return std::find_if(classes.begin(), classes.end(),
                        [&](const Registration& r) { return r.clsid == clsid; });
}

PFNCREATEINSTANCE Lookup(REFCLSID clsid) {
    Registry& registry = TheRegistry();
    std::lock_guard lock(registry.mutex);
    const auto it = Find(registry.classes, clsid);
    return it == registry.classes.end() ? nullptr : it->create;
}

}  // namespace

HRESULT CoRegisterClass(REFCLSID clsid, PFNCREATEINSTANCE create) {
    Registry& registry = TheRegistry();
    std::lock_guard lock(registry.mutex);
    const auto it = Find(registry.classes, clsid);
    if (it != registry.classes.end()) registry.classes.erase(it);
    if (create) registry.classes.push_back({clsid, create});
    return S_OK;
}

HRESULT CoCreateInstance(REFCLSID clsid, IUnknown* outer, DWORD /*clsContext*/, REFIID riid,
                         LPVOID* ppv) {
    if (!ppv) return E_POINTER;
    *ppv = nullptr;
    // Called outside the lock: a constructor may register or create other classes.
    const PFNCREATEINSTANCE create = Lookup(clsid);
    if (!create) return REGDB_E_CLASSNOTREG;
    return create(outer, riid, ppv);
}
