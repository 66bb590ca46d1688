// The res: scheme serves this program's own HTML resources, at res://<program path>/<id>.
#pragma once

#include <optional>
#include <string_view>

#include "platform/com/Types.h"

// On the default web context, once per process.
void RegisterResourceScheme();

// The resource id a res: URI names: its path must be programPath + "/" + a decimal id, with no
// host in between.
std::optional<WORD> ResourceIdFromUri(const char* uri, std::string_view programPath);
