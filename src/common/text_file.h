// Whole-file reads and writes for the program's small text files. Failures
// raise RunTimeError with the number of the cause (see FileError).
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace koralin {

// True when something (a file, a folder) exists at path.
bool FileExists(const std::string& path);

// The first maxBytes bytes of the file. A folder, FIFO or device is refused
// at once (error 75), never waited on.
std::string ReadTextFile(const std::string& path, std::size_t maxBytes);

// The whole of a regular file of at most maxBytes; empty when it is missing,
// unreadable, larger, or no regular file (a folder, a FIFO, a device), which
// is never waited on.
std::optional<std::string> ReadSmallFile(const std::string& path, std::size_t maxBytes);

// The first maxLines lines of text, split at LF with the CRs before it
// dropped, so a line reads the same after it was written back with CR LF;
// a last line without an end still counts.
std::vector<std::string> SplitLines(std::string_view text, std::size_t maxLines = SIZE_MAX);

// Replaces the file's contents as one step: the text goes to path & ".tmp",
// is flushed to the disk and renamed over path. On a failure the temporary
// file is removed and the old file is left as it was. A folder, FIFO or
// device at path is refused and left alone.
void ReplaceFile(const std::string& path, std::string_view text);

}  // namespace koralin
