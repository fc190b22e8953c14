#include "qt/device_holder.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cctype>
#include <filesystem>
#include <fstream>
#include <optional>

namespace koralin::qt {

namespace {

namespace fs = std::filesystem;

std::string CommandName(const fs::path& proc) {
  std::string name;
  std::getline(std::ifstream(proc / "comm"), name);
  return name;
}

// Whether one of the process's open files is the character device `device`;
// nullopt when its files cannot be looked into.
std::optional<bool> HasOpen(const fs::path& proc, dev_t device) {
  std::error_code ec;
  fs::directory_iterator fds(proc / "fd", ec);
  if (ec) return std::nullopt;
  for (const auto& fd : fds) {
    struct stat st{};
    if (::stat(fd.path().c_str(), &st) == 0 && S_ISCHR(st.st_mode) && st.st_rdev == device) return true;
  }
  return false;
}

}  // namespace

std::string ProcessHolding(const std::string& device) {
  struct stat target{};
  if (::stat(device.c_str(), &target) != 0 || !S_ISCHR(target.st_mode)) return {};
  const std::string self = std::to_string(::getpid());
  std::error_code ec;
  for (const auto& entry : fs::directory_iterator("/proc", ec)) {
    const std::string pid = entry.path().filename().string();
    if (pid.empty() || !std::isdigit(static_cast<unsigned char>(pid[0])) || pid == self) continue;
    const std::optional<bool> holds = HasOpen(entry.path(), target.st_rdev);
    const std::string name = holds.value_or(true) ? CommandName(entry.path()) : std::string();
    if (holds ? *holds : name == "gpsd") return name;
  }
  return {};
}

}  // namespace koralin::qt
