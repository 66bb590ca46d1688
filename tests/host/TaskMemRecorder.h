// The test program is linked with --wrap for CoTaskMemAlloc and CoTaskMemFree, so every task
// allocation passes here: tests see what was allocated and freed, and can fail a chosen request.
#pragma once

#include <cstddef>
#include <vector>

struct TaskMemLog {
    std::vector<std::size_t> requested;  // bytes, in request order
    std::vector<void*> allocated;        // blocks handed out
    std::vector<void*> freed;
};

// Starts a fresh log; request number failRequest (0 = the first) returns null.
void StartTaskMemLog(int failRequest = -1);
// Stops logging and returns what was seen.
TaskMemLog StopTaskMemLog();
