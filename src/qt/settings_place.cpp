#include "qt/settings_place.h"

#include <unistd.h>

#include <cstdlib>
#include <filesystem>

namespace koralin::qt {

namespace fs = std::filesystem;

namespace {

std::string Env(const char* name) {
  const char* value = std::getenv(name);
  return value ? value : "";
}

}  // namespace

std::string ExecutableFolder() {
  std::error_code ec;
  const fs::path exe = fs::read_symlink("/proc/self/exe", ec);
  return ec ? fs::current_path(ec).string() : exe.parent_path().string();
}

SettingsFacts GatherSettingsFacts(const std::string& programFolder) {
  std::error_code ec;
  const fs::path dir(programFolder);
  SettingsFacts facts;
  facts.programFolder = programFolder;
  // The folder must take new files (the temporary settings file, the log,
  // the lock), not just be listed as writable.
  facts.programFolderWritable = ::access(programFolder.c_str(), W_OK | X_OK) == 0;
  facts.programFolderHasCfg = fs::is_regular_file(dir / "Gps.cfg", ec);
  facts.installedLayout = dir.filename() == "bin" && fs::is_directory(dir.parent_path() / "share", ec);
  facts.xdgConfigHome = Env("XDG_CONFIG_HOME");
  facts.home = Env("HOME");
  return facts;
}

SettingsPlace LocateSettings() { return ChooseSettingsFolder(GatherSettingsFacts(ExecutableFolder())); }

ReadyFolder SettingsFolder() {
  const SettingsPlace place = LocateSettings();
  std::error_code ec;
  fs::create_directories(place.folder, ec);
  // No folder of our own can be made: the handed-out settings are still read
  // where they lie, and nothing is saved.
  if (!fs::is_directory(place.folder, ec) && !place.seedCfg.empty())
    return {fs::path(place.seedCfg).parent_path().string(), false};
  const fs::path cfg = fs::path(place.folder) / "Gps.cfg";
  // Handed-out settings start a new user off; later runs keep the user's own.
  if (!place.seedCfg.empty() && !fs::exists(cfg, ec) && fs::copy_file(place.seedCfg, cfg, ec))
    fs::permissions(cfg, fs::perms::owner_read | fs::perms::owner_write, fs::perm_options::add, ec);
  return {place.folder};
}

}  // namespace koralin::qt
