#include "host/TaskMemRecorder.h"

#include <cstdlib>

namespace {

bool g_logging = false;
int g_failRequest = -1;
TaskMemLog g_log;

}  // namespace

// The mangled names of CoTaskMemAlloc(SIZE_T) and CoTaskMemFree(LPVOID), as the linker wraps them.
extern "C" void* __real__Z14CoTaskMemAllocm(std::size_t cb);
extern "C" void __real__Z13CoTaskMemFreePv(void* pv);

extern "C" void* __wrap__Z14CoTaskMemAllocm(std::size_t cb) {
    if (!g_logging) return __real__Z14CoTaskMemAllocm(cb);
    const bool fail = static_cast<int>(g_log.requested.size()) == g_failRequest;
    g_log.requested.push_back(cb);
    void* block = fail ? nullptr : __real__Z14CoTaskMemAllocm(cb);
    if (block) g_log.allocated.push_back(block);
    return block;
}

extern "C" void __wrap__Z13CoTaskMemFreePv(void* pv) {
    if (g_logging && pv) g_log.freed.push_back(pv);
    __real__Z13CoTaskMemFreePv(pv);
}

void StartTaskMemLog(int failRequest) {
    g_log = {};
    g_failRequest = failRequest;
    g_logging = true;
}

TaskMemLog StopTaskMemLog() {
    g_logging = false;
    return g_log;
}
