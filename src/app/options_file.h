// Options.cfg beside Gps.cfg: the settings Gps.cfg has no line for, as
// key=value lines. Lines it does not know (other keys, comments) are kept.
#pragma once

#include <string>

namespace koralin {

struct App;

// Options.cfg in the folder of CfgFileName.
std::string OptionsFileName(const App& app);
// Sets every option to its default, then to what the file says. A missing,
// unreadable, binary or oversized file, a folder or a FIFO leaves the defaults.
void LoadOptions(App& app);
// Writes the file as one step when its text changed; a failure keeps the old
// file and, when report is set, shows the write-error box.
void SaveOptions(App& app, bool report = true);
// The file's text as SaveOptions writes it.
std::string OptionsFileText(App& app);

}  // namespace koralin
