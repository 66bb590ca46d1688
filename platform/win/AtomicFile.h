// Whole-file reads, and whole-file replacement that a crash cannot leave half written.
#pragma once

#include <string>
#include <string_view>

// Reads the whole regular file at path (UTF-8) into out. Returns false when it cannot be read;
// missing is then true only when the file does not exist (so a caller may create it). Files
// larger than 64 MiB, folders, devices and pipes are not read.
bool ReadWholeFile(const std::string& path, std::string& out, bool& missing);

// Writes bytes to a temporary file in the target's folder, syncs it and renames it over path,
// so readers see the old or the new file, never a mix. The existing file's permission bits are
// kept (new files get 0600) and a symbolic link is followed to the file it names. Refuses to
// replace anything but a regular file, or a file we may not write. On failure the temporary
// file is removed, path is untouched, and false is returned.
bool WriteFileAtomically(const std::string& path, std::string_view bytes);
