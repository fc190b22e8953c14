// The polling heart beat: reading the input, stitching unfinished sentences
// and handing each poll to every decoder.
#pragma once

#include <functional>

namespace koralin {

struct App;

void tmrPolling_Timer(App& app);
// Whether fast polling may rest until the input's first character.
bool tmrPolling_MayRest(App& app, const std::function<void()>& wake);
void getGPSinput(App& app);
void getHCHDTinput(App& app);
void DispatchSentences(App& app);
void mnuPollingSpeed_Click(App& app);

}  // namespace koralin
