// Options.cfg beside Gps.cfg: the settings Gps.cfg has no line for, as
// key=value lines. Lines it does not know (other keys, comments) are kept.
#pragma once

#include <string>
#include <string_view>

namespace koralin {

struct App;

// Options.cfg in the folder of CfgFileName.
std::string OptionsFileName(const App& app);
// Sets every option to its default, then to what the file says. A missing,
// binary or oversized file leaves the defaults and is written afresh; one
// that cannot be read (no regular file, no permission) is named in a box,
// leaves the defaults and is never written.
void LoadOptions(App& app);
// Writes the file as one step when its text changed and was not refused at
// the start; a failure keeps the old
// file and, when report is set, shows the write-error box.
void SaveOptions(App& app, bool report = true);
// An option the user set in a dialog: written back at exit even where the
// file had no line for it.
void KeepOption(App& app, std::string_view key);
// The file's text as SaveOptions writes it.
std::string OptionsFileText(App& app);

}  // namespace koralin
