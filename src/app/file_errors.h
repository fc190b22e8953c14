// The two reports of failed file operations: settings, log and playback.
#pragma once

#include <string>

namespace koralin {

struct App;

// Shows "File Read Error" with the path, the error number and its description.
void FileReadError(App& app, long number, int fileNumber, const std::string& path);
// Shows "File ... Write error." with the error number and its description.
void FileWriteError(App& app, long number, int fileNumber, const std::string& path);

}  // namespace koralin
