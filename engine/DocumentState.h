// What the engine knows of one committed document, shared by the control and the proxies it
// hands out for it.
#pragma once

#include <string>

struct DocumentState {
    std::u16string title;
    // False once another document replaced this one or the control let go of its view.
    bool current = true;
};
