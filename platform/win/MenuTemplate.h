// Menu resources as typed data: one level of pop-up menus holding command items.
#pragma once

#include "platform/com/Types.h"

struct MenuItem {
    LPCWSTR text;
    UINT id;
};

struct MenuPopup {
    LPCWSTR text;
    const MenuItem* items;
    std::size_t itemCount;
};

struct MenuTemplate {
    const MenuPopup* popups;
    std::size_t popupCount;
};
