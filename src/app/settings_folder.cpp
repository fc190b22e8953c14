#include "app/settings_folder.h"

namespace koralin {

namespace {

std::string WithoutTrailingSlash(std::string path) {
  while (path.size() > 1 && path.back() == '/') path.pop_back();
  return path;
}

}  // namespace

std::string UserSettingsFolder(const std::string& xdgConfigHome, const std::string& home) {
  // A relative XDG_CONFIG_HOME is invalid and is ignored, as other programs do.
  if (!xdgConfigHome.empty() && xdgConfigHome.front() == '/')
    return WithoutTrailingSlash(xdgConfigHome) + "/koralin-gps";
  if (home.empty()) return {};
  return WithoutTrailingSlash(home) + "/.config/koralin-gps";
}

SettingsPlace ChooseSettingsFolder(const SettingsFacts& facts) {
  const bool portable = facts.programFolderWritable && !facts.installedLayout;
  if (portable) return {facts.programFolder, {}};
  const std::string user = UserSettingsFolder(facts.xdgConfigHome, facts.home);
  // No home at all (a bare service account): the program folder is all there is.
  if (user.empty()) return {facts.programFolder, {}};
  return {user, facts.programFolderHasCfg ? facts.programFolder + "/Gps.cfg" : std::string()};
}

}  // namespace koralin
