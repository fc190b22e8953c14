// The two shared reports of file failures, and the run-time error a failed
// system call on a file stands for.
#pragma once

#include <string>

#include "common/error.h"

namespace koralin {

struct App;

// "File Read Error <path>" with the error number and its description.
void FileReadError(App& app, const RunTimeError& e, const std::string& path);
void FileReadError(App& app, long number, const std::string& path);
// "File <path> Write error." with the error number and its description.
void FileWriteError(App& app, const RunTimeError& e, const std::string& path);
void FileWriteError(App& app, long number, const std::string& path);

// The run-time error for an errno of a file operation: a disk that is full
// is 61, a refused access 70, a missing folder 76; the description names
// the system's cause when it says more than the number's own text.
RunTimeError FileError(int errnum);

}  // namespace koralin
