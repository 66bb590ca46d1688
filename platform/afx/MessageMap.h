// Message maps: static tables of (message, command id, handler), one per class, each pointing
// at its base class's table. A row's handler is a thunk made from a member function pointer, so
// a table reads as data: OnMessage<&CMyDlg::OnClose>(WM_CLOSE).
#pragma once

#include <cstddef>
#include <type_traits>

#include "platform/win/Messages.h"

class CCmdTarget;

struct AFX_MSGMAP_ENTRY {
    UINT nMessage;
    UINT nID;  // WM_COMMAND rows: the command id
    LRESULT (*pfn)(CCmdTarget* target, WPARAM wParam, LPARAM lParam);
};

struct AFX_MSGMAP {
    const AFX_MSGMAP* (*pfnGetBaseMap)();
    const AFX_MSGMAP_ENTRY* lpEntries;
    std::size_t nCount;
};

namespace afx_detail {

template <class T>
struct MemberOf;
template <class C, class F>
struct MemberOf<F C::*> {
    using Class = C;
};

template <auto Handler>
LRESULT MessageThunk(CCmdTarget* target, WPARAM wParam, LPARAM lParam) {
    using C = typename MemberOf<decltype(Handler)>::Class;
    auto* self = static_cast<C*>(target);
    if constexpr (std::is_invocable_v<decltype(Handler), C*>) {
        (self->*Handler)();
    } else if constexpr (std::is_invocable_v<decltype(Handler), C*, UINT, int, int>) {
        (self->*Handler)(static_cast<UINT>(wParam), LOWORD(static_cast<std::uintptr_t>(lParam)),
                         HIWORD(static_cast<std::uintptr_t>(lParam)));
    } else if constexpr (std::is_invocable_v<decltype(Handler), C*, WINDOWPOS*>) {
        (self->*Handler)(reinterpret_cast<WINDOWPOS*>(lParam));
    } else {
        static_assert(sizeof(C) == 0, "no message thunk for this handler signature");
    }
    return 0;
}

}  // namespace afx_detail

template <auto Handler>
constexpr AFX_MSGMAP_ENTRY OnMessage(UINT message) {
    return {message, 0, &afx_detail::MessageThunk<Handler>};
}

template <auto Handler>
constexpr AFX_MSGMAP_ENTRY OnCommand(UINT id) {
    return {WM_COMMAND, id, &afx_detail::MessageThunk<Handler>};
}
