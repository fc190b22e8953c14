// Log playback: a recorded file fed line by line through the decoders.
#pragma once

namespace koralin {

struct App;

// Starts or stops playback.
void mnuPlayLog_Click(App& app);
// Asks for the file and plays it once or endlessly; returns when it ends.
void PlayLog(App& app);

}  // namespace koralin
