// The extended combo box: a GtkComboBoxText with an entry. Its edit field is a child window of
// its own over the entry, as CBEM_GETEDITCONTROL hands it out.
#include <algorithm>
#include <utility>

#include "platform/com/TextConv.h"
#include "platform/win/CommonControls.h"
#include "platform/win/Controls.h"

namespace {

GtkComboBoxText* Combo(Window* window) {
    return GTK_COMBO_BOX_TEXT(window->widget);
}

int ItemCount(Window* window) {
    GtkTreeModel* model = gtk_combo_box_get_model(GTK_COMBO_BOX(window->widget));
    return gtk_tree_model_iter_n_children(model, nullptr);
}

std::u16string ItemText(Window* window, int index) {
    GtkTreeModel* model = gtk_combo_box_get_model(GTK_COMBO_BOX(window->widget));
    GtkTreeIter iter;
    if (!gtk_tree_model_iter_nth_child(model, &iter, nullptr, index)) return {};
    gchar* text = nullptr;
    gtk_tree_model_get(model, &iter, 0, &text, -1);
    std::u16string result = Utf8ToWide(text ? text : "");
    g_free(text);
    return result;
}

LRESULT GetItem(Window* window, COMBOBOXEXITEMW* item) {
    if (!item || !(item->mask & CBEIF_TEXT) || !item->pszText || item->cchTextMax <= 0 ||
        item->iItem < 0 || item->iItem >= ItemCount(window))
        return FALSE;
    const std::u16string text = ItemText(window, static_cast<int>(item->iItem));
    const std::size_t n = std::min<std::size_t>(text.size(), item->cchTextMax - 1);
    std::copy_n(text.data(), n, item->pszText);
    item->pszText[n] = 0;
    return TRUE;
}

LRESULT InsertItem(Window* window, const COMBOBOXEXITEMW* item) {
    if (!item || !(item->mask & CBEIF_TEXT) || !item->pszText) return -1;
    const int count = ItemCount(window);
    const int index =
        item->iItem < 0 || item->iItem > count ? count : static_cast<int>(item->iItem);
    gtk_combo_box_text_insert_text(Combo(window), index, WideToUtf8(item->pszText).c_str());
    return index;
}

LRESULT DeleteItem(Window* window, WPARAM index) {
    if (index >= static_cast<WPARAM>(ItemCount(window))) return -1;
    gtk_combo_box_text_remove(Combo(window), static_cast<int>(index));
    return ItemCount(window);
}

GtkWidget* CreateComboBoxEx(Window* window, LPCWSTR) {
    GtkWidget* combo = gtk_combo_box_text_new_with_entry();
    auto* edit = new Window;
    edit->cls = &kEditClass;
    edit->parent = window;
    edit->style = WS_CHILD | WS_VISIBLE;
    edit->ownsWidget = false;
    window->controlData = edit;
    return combo;
}

// The edit record joins the window system on first use; until then the combo box owns it.
HWND EditControl(Window* window) {
    if (auto* edit = static_cast<Window*>(window->controlData)) {
        window->controlData = nullptr;
        AttachWidget(edit, gtk_bin_get_child(GTK_BIN(window->widget)));
    }
    return window->children.empty() ? nullptr : window->children.front();
}

LRESULT ComboBoxExProc(HWND handle, UINT message, WPARAM wParam, LPARAM lParam) {
    Window* window = LiveWindow(handle);
    if (!window) return 0;
    switch (message) {
        case CBEM_GETEDITCONTROL:
            return reinterpret_cast<LRESULT>(EditControl(window));
        case CB_GETCOUNT:
            return ItemCount(window);
        case CBEM_GETITEMW:
            return GetItem(window, reinterpret_cast<COMBOBOXEXITEMW*>(lParam));
        case CBEM_INSERTITEMW:
            return InsertItem(window, reinterpret_cast<const COMBOBOXEXITEMW*>(lParam));
        case CBEM_DELETEITEM:
            return DeleteItem(window, wParam);
        case WM_NCDESTROY:
            delete static_cast<Window*>(std::exchange(window->controlData, nullptr));
            return 0;
        default:
            return DefWindowProcW(handle, message, wParam, lParam);
    }
}

}  // namespace

const WindowClass kComboBoxExClass{WC_COMBOBOXEXW, CreateComboBoxEx, ComboBoxExProc};
