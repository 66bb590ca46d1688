// The framework's shell manager and visual manager. GTK draws every window in the desktop's
// theme and the program's windows use no shell dialogs, so these hold nothing here.
#pragma once

class CShellManager {};

class CMFCVisualManagerWindows {};

struct CMFCVisualManager {
    template <class Manager>
    static void SetDefaultManager() {}
};

// The framework's control-bar state: none is kept here.
inline void ControlBarCleanUp() {}
