// Which folder holds Gps.cfg, GpsData.log, ComPorts.cfg and the instance lock.
//
// - An installed program (its folder is a bin/ beside a share/) uses
//   $XDG_CONFIG_HOME/koralin-gps (default ~/.config/koralin-gps), even when
//   bin/ can be written: one user's settings never land in a shared bin/.
// - Otherwise a program folder that can be written is used as it stands
//   (portable use, and every test).
// - Otherwise the per-user folder above is used.
// When the per-user folder is chosen and the program folder holds a Gps.cfg,
// that file gives the starting settings of a user who has none yet.
#pragma once

#include <string>

namespace koralin {

// What the platform found out; gathered by the adapter, judged here.
struct SettingsFacts {
  std::string programFolder;  // without a trailing "/"
  bool programFolderWritable = false;
  bool programFolderHasCfg = false;
  bool installedLayout = false;  // programFolder is ".../bin" beside ".../share"
  std::string xdgConfigHome;     // as set in the environment, may be empty
  std::string home;
};

struct SettingsPlace {
  std::string folder;   // without a trailing "/"
  std::string seedCfg;  // a Gps.cfg to copy in when the folder has none; may be empty
  bool operator==(const SettingsPlace&) const = default;
};

SettingsPlace ChooseSettingsFolder(const SettingsFacts& facts);

// $XDG_CONFIG_HOME/koralin-gps, ~/.config/koralin-gps when it is unset or not
// an absolute path; empty when neither tells a place.
std::string UserSettingsFolder(const std::string& xdgConfigHome, const std::string& home);

}  // namespace koralin
