// The settings file Gps.cfg: 32 lines, CR LF, version-checked on the first.
#pragma once

#include <string>

namespace koralin {

struct App;

// Reads CfgFileName into the settings and the twelve check marks, or falls
// back to the defaults (silently when the file is absent or from another
// version, after a read-error box when it is broken).
void LoadSettings(App& app);
void DefaultSettings(App& app);
// Writes CfgFileName; a failure shows the write-error box, keeps the old
// file and gives false.
bool SaveSettings(App& app);

// The file's text as SaveSettings writes it.
std::string SettingsFileText(App& app);
// The file `name` in the folder of Gps.cfg (CfgFileName).
std::string BesideSettings(const App& app, const std::string& name);

}  // namespace koralin
