// The polling heart beat: reading the input, stitching unfinished sentences
// and handing each poll to every decoder.
#pragma once

namespace koralin {

struct App;

void tmrPolling_Timer(App& app);
void getGPSinput(App& app);
void getHCHDTinput(App& app);
void DispatchSentences(App& app);
void mnuPollingSpeed_Click(App& app);

}  // namespace koralin
