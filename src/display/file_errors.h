// The two shared reports of file failures.
#pragma once

#include <string>

#include "common/error.h"

namespace koralin {

struct App;

// "File Read Error <path>" with the error number and its description.
void FileReadError(App& app, const RunTimeError& e, const std::string& path);
void FileReadError(App& app, long number, const std::string& path);
// The start refused over an instance lock that cannot be used, with the
// error number and its description; it never reads as a second copy.
void LockError(App& app, const RunTimeError& e, const std::string& path);
// "File <path> Write error." with the error number and its description.
void FileWriteError(App& app, const RunTimeError& e, const std::string& path);
void FileWriteError(App& app, long number, const std::string& path);

}  // namespace koralin
