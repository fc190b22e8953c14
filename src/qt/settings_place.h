// Finds the settings folder on this machine (the rule is in the core) and
// readies it: created, and seeded with handed-out settings on a first start.
#pragma once

#include <string>

#include "app/settings_folder.h"

namespace koralin::qt {

// The folder of the running executable, known before any Qt object exists.
std::string ExecutableFolder();

// Looks at the program folder and the environment; changes nothing.
SettingsFacts GatherSettingsFacts(const std::string& programFolder);

// The folder this copy uses, without creating it.
SettingsPlace LocateSettings();

struct ReadyFolder {
  std::string path;  // "" only when nothing fits
  bool writable = true;
};

// The folder this copy uses, created and seeded. When no folder of its own
// can be made, handed-out settings are read where they lie, not writable.
ReadyFolder SettingsFolder();

}  // namespace koralin::qt
