// The application shell: start-up, exit and the PC clock.
#pragma once

#include <optional>
#include <string>

namespace koralin {

struct ShellState {
  // The hour offset of a pending request to set the PC clock; empty when
  // none is pending.
  std::optional<int> ClockOffsetPending;
  // Set once the settings were read: only then may the exit write them, so a
  // refused second start never touches the file of the first.
  bool SettingsLoaded = false;
  // The settings folder cannot be written: told once at the start, and the
  // exit saves nothing there.
  bool SettingsReadOnly = false;
  // Options.cfg as it was read: its other lines are written back, and an
  // unchanged file is not written at all.
  std::string OptionsText;
  // Options.cfg could not be read (no regular file, no permission): it is
  // left as it stands, so the exit does not write it.
  bool OptionsRefused = false;
};

}  // namespace koralin
