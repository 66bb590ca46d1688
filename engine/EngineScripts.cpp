#include "engine/EngineScripts.h"

#include <memory>
#include <string>

namespace {

// window.external in the page's own world: a frozen object whose member calls go to the engine
// as a prompt it answers synchronously. It keeps what it uses before any page script runs.
std::string ExternalScript() {
    return R"JS((() => {
  const ask = window.prompt, apply = Reflect.apply, stringify = JSON.stringify,
        parse = JSON.parse, hasOwn = Object.hasOwn, Err = Error, Str = String;
  const call = (name, args) => {
    let answer = null;
    try {
      answer = parse(apply(ask, window, [')JS" +
           std::string(kExternalPrompt) + R"JS(', stringify({name, args})]));
    } catch (e) {}
    if (answer === null || typeof answer !== 'object') {
      throw new Err('window.external is not available');
    }
    if (hasOwn(answer, 'error')) throw new Err(Str(answer.error));
    return answer.value;
  };
  const external = new Proxy(Object.freeze(Object.create(null)), {
    get: (target, name) => typeof name === 'string' ? (...args) => call(name, args) : undefined,
    set: () => false,
    defineProperty: () => false,
    deleteProperty: () => false,
  });
  Object.defineProperty(window, 'external',
                        {value: external, writable: false, enumerable: true, configurable: false});
})();)JS";
}

// Frames and script errors, seen from the engine's world. Events a page dispatches itself do not
// count; WebKit marks even its own rejection events untrusted, but a page that forges one could
// as well reject a promise.
std::string WatchScript() {
    const std::string frame = std::string("window.webkit.messageHandlers.") + kFrameChannel;
    const std::string error = std::string("window.webkit.messageHandlers.") + kScriptErrorChannel;
    return R"JS((() => {
  const frame = )JS" +
           frame + R"JS(, error = )JS" + error + R"JS(;
  if (window !== window.top) {
    frame.postMessage({event: 'navigate', url: location.href});
    addEventListener('load', (e) => {
      if (e.isTrusted) frame.postMessage({event: 'complete', url: location.href});
    });
  }
  addEventListener('error', (e) => {
    if (!e.isTrusted) return;
    error.postMessage({message: String(e.message), source: String(e.filename || ''),
                       line: e.lineno | 0, column: e.colno | 0});
  });
  addEventListener('unhandledrejection', (e) => {
    let reason = 'unknown reason';
    try { reason = String(e.reason); } catch (x) {}
    error.postMessage({message: 'Unhandled promise rejection: ' + reason,
                       source: location.href, line: 0, column: 0});
  });
})();)JS";
}

constexpr char kNoScrollBars[] = "html { overflow: hidden !important; }";

// Scripts run at document start in every frame, in the page's world or the engine's.
void AddScript(WebKitUserContentManager* manager, WebKitUserScript* script) {
    webkit_user_content_manager_add_script(manager, script);
    webkit_user_script_unref(script);
}

}  // namespace

void AddEngineScripts(WebKitUserContentManager* manager) {
    webkit_user_content_manager_register_script_message_handler_in_world(manager, kFrameChannel,
                                                                         kEngineWorld);
    webkit_user_content_manager_register_script_message_handler_in_world(
        manager, kScriptErrorChannel, kEngineWorld);
    AddScript(manager, webkit_user_script_new(
                           ExternalScript().c_str(), WEBKIT_USER_CONTENT_INJECT_ALL_FRAMES,
                           WEBKIT_USER_SCRIPT_INJECT_AT_DOCUMENT_START, nullptr, nullptr));
    AddScript(manager, webkit_user_script_new_for_world(WatchScript().c_str(),
                                                        WEBKIT_USER_CONTENT_INJECT_ALL_FRAMES,
                                                        WEBKIT_USER_SCRIPT_INJECT_AT_DOCUMENT_START,
                                                        kEngineWorld, nullptr, nullptr));
}

void ShowScrollBars(WebKitUserContentManager* manager, bool show) {
    webkit_user_content_manager_remove_all_style_sheets(manager);
    if (show) return;
    const std::unique_ptr<WebKitUserStyleSheet, decltype(&webkit_user_style_sheet_unref)> sheet(
        webkit_user_style_sheet_new(kNoScrollBars, WEBKIT_USER_CONTENT_INJECT_TOP_FRAME,
                                    WEBKIT_USER_STYLE_LEVEL_USER, nullptr, nullptr),
        webkit_user_style_sheet_unref);
    webkit_user_content_manager_add_style_sheet(manager, sheet.get());
}
