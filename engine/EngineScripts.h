// What the engine puts into every page of a view: its scripts, their channels back to the
// engine, and the style sheet that takes the scroll bars away.
#pragma once

#include <webkit2/webkit2.h>

// Scripts of the engine run apart from the page's, which can neither redefine what they read
// nor post to their channels.
inline constexpr char kEngineWorld[] = "veltrisk-engine";
// Engine-world channels: a frame's document started or completed, a page script failed.
inline constexpr char kFrameChannel[] = "frame";
inline constexpr char kScriptErrorChannel[] = "scriptError";
// The prompt text that carries a window.external call; any other prompt is the page's own.
inline constexpr char kExternalPrompt[] = "veltrisk:window.external:6d1f0c83";

// Once per view, before its first load.
void AddEngineScripts(WebKitUserContentManager* manager);
// Applies to the top-level document, the one in place and those loaded after.
void ShowScrollBars(WebKitUserContentManager* manager, bool show);
