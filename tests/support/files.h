// Files for tests: a private temporary folder, whole-file reads and writes,
// and the recorded receiver logs.
#pragma once

#include <stdlib.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

namespace koralin::test {

// A fresh folder under the system's temporary folder, removed with everything
// in it (even when a test took its permissions away).
class TempFolder {
 public:
  TempFolder() {
    std::string pattern = (std::filesystem::temp_directory_path() / "koralin-XXXXXX").string();
    path_ = ::mkdtemp(pattern.data()) ? pattern : std::string();
  }
  TempFolder(const TempFolder&) = delete;
  TempFolder& operator=(const TempFolder&) = delete;
  ~TempFolder() {
    std::error_code ec;
    std::filesystem::permissions(path_, std::filesystem::perms::owner_all, ec);
    std::filesystem::remove_all(path_, ec);
  }
  const std::string& path() const { return path_; }
  std::string operator/(const std::string& name) const { return path_ + "/" + name; }

 private:
  std::string path_;
};

inline std::string ReadFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream s;
  s << in.rdbuf();
  return s.str();
}

inline void WriteFile(const std::string& path, const std::string& text) {
  std::ofstream(path, std::ios::binary) << text;
}

inline bool Exists(const std::string& path) {
  std::error_code ec;
  return std::filesystem::exists(path, ec);
}

// The most memory process pid ever had in use, in kB; -1 when unknown.
inline long PeakKb(long long pid) {
  std::ifstream status("/proc/" + std::to_string(pid) + "/status");
  for (std::string key; status >> key;)
    if (key == "VmHWM:") return status >> pid ? static_cast<long>(pid) : -1;
  return -1;
}

#ifdef KORALIN_CORPUS_DIR  // only the targets that replay receiver logs know where they are
// The recorded receiver logs, in name order; empty when the folder is absent.
inline std::vector<std::filesystem::path> CorpusLogs() {
  std::vector<std::filesystem::path> logs;
  std::error_code ec;
  for (const auto& e : std::filesystem::directory_iterator(KORALIN_CORPUS_DIR, ec))
    if (e.path().extension() == ".log") logs.push_back(e.path());
  std::sort(logs.begin(), logs.end());
  return logs;
}
#endif

}  // namespace koralin::test
