// The engine's own message about a failed page script, shown when the host does not take care
// of it. It does not wait: the page's scripts keep running while it is open.
#pragma once

#include <gtk/gtk.h>

#include <string>

class CScriptErrorBox {
public:
    CScriptErrorBox() = default;
    CScriptErrorBox(const CScriptErrorBox&) = delete;
    CScriptErrorBox& operator=(const CScriptErrorBox&) = delete;
    ~CScriptErrorBox();

    // Modal to the window that holds view. While one box is open, further errors show nothing:
    // a page failing in a loop would otherwise bury the window in boxes.
    void Show(GtkWidget* view, const std::string& details);

private:
    GtkWidget* m_box = nullptr;
};
