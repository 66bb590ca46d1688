// Menus from menu resources, shown as a GtkMenuBar. Choosing an item posts WM_COMMAND with
// its id to the window, after the menu has closed.
#include <algorithm>
#include <vector>

#include "platform/com/TextConv.h"
#include "platform/win/MenuTemplate.h"
#include "platform/win/WindowRecord.h"

struct Menu {
    struct Item {
        std::u16string text;
        UINT id;
        Menu* popup;
    };
    std::vector<Item> items;
};

namespace {

struct ItemTarget {
    Window* window;
    UINT id;
};

void OnItemActivate(GtkMenuItem*, gpointer data) {
    const auto* target = static_cast<ItemTarget*>(data);
    PostMessageW(target->window, WM_COMMAND, MAKEWPARAM(static_cast<WORD>(target->id), 0), 0);
}

void FreeTarget(gpointer data, GClosure*) {
    delete static_cast<ItemTarget*>(data);
}

GtkWidget* CreateMenuItem(Window* window, const Menu::Item& item) {
    GtkWidget* widget = gtk_menu_item_new_with_label(WideToUtf8(item.text).c_str());
    if (item.popup) {
        GtkWidget* shell = gtk_menu_new();
        for (const Menu::Item& sub : item.popup->items)
            gtk_menu_shell_append(GTK_MENU_SHELL(shell), CreateMenuItem(window, sub));
        gtk_menu_item_set_submenu(GTK_MENU_ITEM(widget), shell);
    } else {
        g_signal_connect_data(widget, "activate", G_CALLBACK(OnItemActivate),
                              new ItemTarget{window, item.id}, FreeTarget, GConnectFlags(0));
    }
    return widget;
}

}  // namespace

HMENU LoadMenuW(HINSTANCE instance, LPCWSTR name) {
    HRSRC resource = FindResourceW(instance, name, MAKEINTRESOURCEW(RT_MENU));
    const auto* tmpl =
        static_cast<const MenuTemplate*>(LockResource(LoadResource(instance, resource)));
    if (!tmpl) return nullptr;
    auto* menu = new Menu;
    for (std::size_t p = 0; p < tmpl->popupCount; ++p) {
        const MenuPopup& popup = tmpl->popups[p];
        auto* sub = new Menu;
        for (std::size_t i = 0; i < popup.itemCount; ++i)
            sub->items.push_back({popup.items[i].text, popup.items[i].id, nullptr});
        menu->items.push_back({popup.text, 0, sub});
    }
    return menu;
}

GtkWidget* CreateMenuBar(Window* window, HMENU menu) {
    GtkWidget* bar = gtk_menu_bar_new();
    for (const Menu::Item& item : menu->items)
        gtk_menu_shell_append(GTK_MENU_SHELL(bar), CreateMenuItem(window, item));
    return bar;
}

HMENU GetMenu(HWND handle) {
    Window* window = LiveWindow(handle);
    return window ? window->menu : nullptr;
}

HMENU GetSubMenu(HMENU menu, int position) {
    if (!menu || position < 0 || position >= static_cast<int>(menu->items.size())) return nullptr;
    return menu->items[static_cast<std::size_t>(position)].popup;
}

int GetMenuItemCount(HMENU menu) {
    return menu ? static_cast<int>(menu->items.size()) : -1;
}

UINT GetMenuItemID(HMENU menu, int position) {
    if (!menu || position < 0 || position >= static_cast<int>(menu->items.size()))
        return static_cast<UINT>(-1);
    const Menu::Item& item = menu->items[static_cast<std::size_t>(position)];
    return item.popup ? static_cast<UINT>(-1) : item.id;
}

int GetMenuStringW(HMENU menu, UINT item, LPWSTR buffer, int bufferMax, UINT flags) {
    if (!menu || !(flags & MF_BYPOSITION) || item >= menu->items.size()) return 0;
    const std::u16string& text = menu->items[item].text;
    if (!buffer || bufferMax <= 0) return static_cast<int>(text.size());
    const std::size_t n =
        std::min<std::size_t>(text.size(), static_cast<std::size_t>(bufferMax) - 1);
    std::copy_n(text.data(), n, buffer);
    buffer[n] = 0;
    return static_cast<int>(n);
}
