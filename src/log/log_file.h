// Text files of the log and of playback, with failures turned into the
// program's run-time errors (number and description).
#pragma once

#include <string>
#include <string_view>

#include "common/text_file.h"

namespace koralin {

// Appends text to the file, creating it when missing. A failed write leaves
// the file as it was, so a retry never doubles part of the text.
void AppendToFile(const std::string& path, std::string_view text);
// Deletes a plain file; folders and devices are never deleted.
void DeleteFile(const std::string& path);

// Reads a text file line by line. Lines end in LF, CR LF or CR; overlong
// lines are cut so that a file without line ends cannot fill the memory.
class LineReader {
 public:
  static constexpr std::size_t kMaxLine = 4096;
  explicit LineReader(const std::string& path);
  // False at the end of the file.
  bool Next(std::string& line);

 private:
  // The next byte; -1 at the end of the file.
  int Get();
  OpenFile file_;
  char buf_[4096];
  std::size_t at_ = 0, end_ = 0;
};

}  // namespace koralin
