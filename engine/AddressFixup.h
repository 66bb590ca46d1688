// What an address typed by a user or passed by the program becomes before the engine loads it.
#pragma once

#include <string>
#include <string_view>

// An absolute path becomes a file: URI; text that starts with a scheme is kept as it is; anything
// else names a host (maybe with port and path) reached over http. UTF-8 in and out.
std::string FixUpAddress(std::string_view address);
