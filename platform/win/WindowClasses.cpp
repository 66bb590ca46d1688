#include <algorithm>

#include "platform/com/AsciiCase.h"
#include "platform/com/TextConv.h"
#include "platform/win/CommonControls.h"
#include "platform/win/Controls.h"

namespace {

const WindowClass* const kClasses[] = {&kButtonClass,     &kEditClass,  &kStaticClass,
                                       &kComboBoxExClass, &kReBarClass, &kWidgetHostClass};

}  // namespace

const WindowClass* FindWindowClass(LPCWSTR name) {
    if (!name) return nullptr;
    for (const WindowClass* cls : kClasses)
        if (EqualsIgnoringAsciiCase<char16_t>(cls->name, name)) return cls;
    return nullptr;
}

BOOL InitCommonControlsEx(const INITCOMMONCONTROLSEX* init) {
    return init ? TRUE : FALSE;
}

LRESULT HandleTextMessage(Window* window, UINT message, WPARAM wParam, LPARAM lParam,
                          std::string (*get)(GtkWidget*), void (*set)(GtkWidget*, const char*)) {
    switch (message) {
        case WM_SETTEXT: {
            const auto* text = reinterpret_cast<LPCWSTR>(lParam);
            set(window->widget, WideToUtf8(text ? text : u"").c_str());
            return TRUE;
        }
        case WM_GETTEXTLENGTH:
            return static_cast<LRESULT>(Utf8ToWide(get(window->widget)).size());
        case WM_GETTEXT: {
            auto* buffer = reinterpret_cast<LPWSTR>(lParam);
            if (!buffer || wParam == 0) return 0;
            const std::u16string text = Utf8ToWide(get(window->widget));
            const std::size_t n = std::min<std::size_t>(text.size(), wParam - 1);
            std::copy_n(text.data(), n, buffer);
            buffer[n] = 0;
            return static_cast<LRESULT>(n);
        }
        default:
            return DefWindowProcW(window, message, wParam, lParam);
    }
}
