// Everything the program shows: dialogs, menu, strings, icons, pages, version and manifest.
#pragma once

#include "platform/win/Resource.h"

// Entries are grouped by type, in id order within each type.
const ResourceTable* ProgramResources();
