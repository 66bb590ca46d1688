// Event-sink maps: static tables of (control id, dispatch id, handler) for the events of the
// controls a window hosts. The thunk takes the event's arguments from DISPPARAMS, where they
// stand in reverse order, and converts each to the handler's parameter type.
#pragma once

#include <cstddef>
#include <tuple>
#include <utility>

#include "platform/afx/MessageMap.h"
#include "platform/com/Bstr.h"
#include "platform/com/Dispatch.h"
#include "platform/com/Variant.h"

struct AFX_EVENTSINKMAP_ENTRY {
    UINT nCtlID;
    DISPID dispid;
    void (*pfn)(CCmdTarget* target, DISPPARAMS* params);
};

struct AFX_EVENTSINKMAP {
    const AFX_EVENTSINKMAP* (*pfnGetBaseMap)();
    const AFX_EVENTSINKMAP_ENTRY* lpEntries;
    std::size_t nCount;
};

namespace afx_detail {

// One argument as the handler declares it; a variant of another type gives a null or zero.
template <class T>
T EventArgument(const VARIANT& v) {
    if constexpr (std::is_same_v<T, IDispatch*>) {
        return v.vt == VT_DISPATCH ? v.pdispVal : nullptr;
    } else if constexpr (std::is_same_v<T, IDispatch**>) {
        return v.vt == (VT_BYREF | VT_DISPATCH) ? v.ppdispVal : nullptr;
    } else if constexpr (std::is_same_v<T, VARIANT*>) {
        return v.vt == (VT_BYREF | VT_VARIANT) ? v.pvarVal : const_cast<VARIANT*>(&v);
    } else if constexpr (std::is_same_v<T, VARIANT_BOOL*>) {
        return v.vt == (VT_BYREF | VT_BOOL) ? v.pboolVal : nullptr;
    } else if constexpr (std::is_same_v<T, VARIANT_BOOL>) {
        return v.vt == VT_BOOL ? v.boolVal : VARIANT_FALSE;
    } else if constexpr (std::is_same_v<T, BSTR>) {
        return v.vt == VT_BSTR ? v.bstrVal : nullptr;
    } else if constexpr (std::is_integral_v<T>) {
        return v.vt == VT_I4 || v.vt == VT_UI4 || v.vt == VT_INT || v.vt == VT_UINT
                   ? static_cast<T>(v.lVal)
                   : T{};
    } else {
        static_assert(sizeof(T) == 0, "no event argument conversion for this type");
    }
}

template <class F>
struct EventHandlerTraits;
template <class C, class R, class... Args>
struct EventHandlerTraits<R (C::*)(Args...)> {
    using Class = C;
    using Arguments = std::tuple<Args...>;
};

template <auto Handler, std::size_t... I>
void CallEventHandler(CCmdTarget* target, DISPPARAMS* params, std::index_sequence<I...>) {
    using Traits = EventHandlerTraits<decltype(Handler)>;
    constexpr std::size_t count = sizeof...(I);
    auto* self = static_cast<typename Traits::Class*>(target);
    (self->*Handler)(EventArgument<std::tuple_element_t<I, typename Traits::Arguments>>(
        params->rgvarg[count - 1 - I])...);
}

template <auto Handler>
void EventThunk(CCmdTarget* target, DISPPARAMS* params) {
    using Arguments = typename EventHandlerTraits<decltype(Handler)>::Arguments;
    constexpr std::size_t count = std::tuple_size_v<Arguments>;
    // An event raised with fewer arguments than the handler declares is not delivered.
    if (!params || params->cArgs < count || (count > 0 && !params->rgvarg)) return;
    CallEventHandler<Handler>(target, params, std::make_index_sequence<count>{});
}

}  // namespace afx_detail

template <auto Handler>
constexpr AFX_EVENTSINKMAP_ENTRY SinkEvent(UINT controlId, DISPID dispid) {
    return {controlId, dispid, &afx_detail::EventThunk<Handler>};
}
