#include "engine/ExternalBridge.h"

#include <jsc/jsc.h>

#include <cmath>
#include <cstdio>
#include <limits>
#include <vector>

#include "engine/GObjectPtr.h"
#include "platform/com/TextConv.h"

namespace {

using JsValue = GObjectPtr<JSCValue>;

// Reading and writing JSON needs no page: one context serves every control. It lives as long as
// the process, since JavaScriptCore may already be gone when static objects are destroyed.
JSCContext* Json() {
    static JSCContext* const context = jsc_context_new();
    return context;
}

JsValue Parse(std::string_view text) {
    JsValue value(jsc_value_new_from_json(Json(), std::string(text).c_str()));
    jsc_context_clear_exception(Json());
    return value;
}

std::string Answer(const char* key, JSCValue* value) {
    const JsValue answer(jsc_value_new_object(Json(), nullptr, nullptr));
    jsc_value_object_set_property(answer.get(), key, value);
    g_autofree char* text = jsc_value_to_json(answer.get(), 0);
    return text ? text : R"({"error":"the answer cannot be written"})";
}

std::string Failure(const std::string& message) {
    const JsValue text(jsc_value_new_string(Json(), message.c_str()));
    return Answer("error", text.get());
}

bool IsInt32(double number) {
    return std::trunc(number) == number && number >= std::numeric_limits<LONG>::min() &&
           number <= std::numeric_limits<LONG>::max();
}

// One argument as COM passes it; false for what has no VARIANT form (objects, arrays).
bool ToVariant(JSCValue* value, VARIANT* out) {
    VariantInit(out);
    if (jsc_value_is_null(value) || jsc_value_is_undefined(value)) return true;
    if (jsc_value_is_boolean(value)) {
        out->vt = VT_BOOL;
        out->boolVal = jsc_value_to_boolean(value) ? VARIANT_TRUE : VARIANT_FALSE;
        return true;
    }
    if (jsc_value_is_number(value)) {
        const double number = jsc_value_to_double(value);
        if (IsInt32(number)) {
            out->vt = VT_I4;
            out->lVal = static_cast<LONG>(number);
        } else {
            out->vt = VT_R8;
            out->dblVal = number;
        }
        return true;
    }
    if (jsc_value_is_string(value)) {
        g_autofree char* utf8 = jsc_value_to_string(value);
        const std::u16string text = Utf8ToWide(utf8);
        out->vt = VT_BSTR;
        out->bstrVal = SysAllocStringLen(text.data(), static_cast<UINT>(text.size()));
        return true;
    }
    return false;
}

// The result as the page sees it; null for what has no JSON form here.
JsValue FromVariant(const VARIANT& v) {
    switch (v.vt) {
        case VT_EMPTY:
            return JsValue(jsc_value_new_undefined(Json()));
        case VT_NULL:
            return JsValue(jsc_value_new_null(Json()));
        case VT_BSTR:
            return JsValue(jsc_value_new_string(
                Json(), WideToUtf8({v.bstrVal, SysStringLen(v.bstrVal)}).c_str()));
        case VT_I4:
            return JsValue(jsc_value_new_number(Json(), v.lVal));
        case VT_R8:
            return JsValue(jsc_value_new_number(Json(), v.dblVal));
        case VT_BOOL:
            return JsValue(jsc_value_new_boolean(Json(), v.boolVal != VARIANT_FALSE));
        default:
            return nullptr;
    }
}

// A call's arguments in rgvarg order, the last one first, owned until the call is over.
class Arguments {
public:
    Arguments() = default;
    Arguments(const Arguments&) = delete;
    Arguments& operator=(const Arguments&) = delete;
    ~Arguments() {
        for (VARIANT& v : m_values) VariantClear(&v);
    }

    bool Read(JSCValue* array) {
        const JsValue length(jsc_value_object_get_property(array, "length"));
        for (gint32 i = jsc_value_to_int32(length.get()); i-- > 0;) {
            const JsValue item(
                jsc_value_object_get_property_at_index(array, static_cast<guint>(i)));
            m_values.push_back({});
            if (!ToVariant(item.get(), &m_values.back())) return false;
        }
        return true;
    }

    DISPPARAMS Params() {
        return {m_values.data(), nullptr, static_cast<UINT>(m_values.size()), 0};
    }

private:
    std::vector<VARIANT> m_values;
};

std::string ErrorCode(HRESULT hr) {
    char text[16];
    std::snprintf(text, sizeof text, "0x%08X", static_cast<unsigned>(hr));
    return text;
}

std::string FailureText(HRESULT hr, EXCEPINFO& exception, const std::string& member) {
    if (hr != DISP_E_EXCEPTION) return member + " failed with error " + ErrorCode(hr);
    if (exception.pfnDeferredFillIn) exception.pfnDeferredFillIn(&exception);
    const UINT length = SysStringLen(exception.bstrDescription);
    if (length == 0) return member + " raised an exception";
    return WideToUtf8({exception.bstrDescription, length});
}

std::string Invoke(IDispatch* external, const std::string& name, Arguments& arguments) {
    const std::string member = "window.external." + name;
    std::u16string wideName = Utf8ToWide(name);
    LPOLESTR names[] = {wideName.data()};
    DISPID id = DISPID_UNKNOWN;
    if (FAILED(external->GetIDsOfNames(GUID_NULL, names, 1, LOCALE_USER_DEFAULT, &id))) {
        return Failure(member + " does not exist");
    }
    DISPPARAMS params = arguments.Params();
    VARIANT result;
    VariantInit(&result);
    EXCEPINFO exception{};
    UINT argumentError = 0;
    const HRESULT hr = external->Invoke(id, GUID_NULL, LOCALE_USER_DEFAULT, DISPATCH_METHOD,
                                        &params, &result, &exception, &argumentError);
    std::string answer;
    if (FAILED(hr)) {
        answer = Failure(FailureText(hr, exception, member));
    } else if (const JsValue value = FromVariant(result)) {
        answer = Answer("value", value.get());
    } else {
        answer = Failure(member + " answered a value a page cannot hold");
    }
    SysFreeString(exception.bstrSource);
    SysFreeString(exception.bstrDescription);
    SysFreeString(exception.bstrHelpFile);
    VariantClear(&result);
    return answer;
}

}  // namespace

std::string CExternalBridge::Call(std::string_view request, const CHostSite& site) {
    const JsValue call = Parse(request);
    if (!call || !jsc_value_is_object(call.get())) return Failure("malformed window.external call");
    const JsValue name(jsc_value_object_get_property(call.get(), "name"));
    const JsValue args(jsc_value_object_get_property(call.get(), "args"));
    if (!jsc_value_is_string(name.get()) || !jsc_value_is_array(args.get())) {
        return Failure("malformed window.external call");
    }
    g_autofree char* nameText = jsc_value_to_string(name.get());
    Arguments arguments;
    if (!arguments.Read(args.get())) {
        return Failure(std::string("window.external.") + nameText +
                       ": only strings, numbers, booleans and null can be passed");
    }
    // Held for the call: the host may run a loop meanwhile, in which the next document commits.
    const CComPtr<IDispatch> external = External(site);
    if (!external) return Failure("window.external is not available");
    return Invoke(external, nameText, arguments);
}

void CExternalBridge::Reset() {
    m_asked = false;
    m_external.Release();
}

CComPtr<IDispatch> CExternalBridge::External(const CHostSite& site) {
    if (!m_asked) {
        m_asked = true;
        m_external = site.External();
    }
    return m_external;
}
