// The intake: each polling tick reads the source, has the sentences parsed
// and applies each record in the program's fixed order (the fix, then the
// altitude, the lock and the bearings); what it changes is shown, relayed,
// logged and published by the parts it calls.
#pragma once

#include <functional>
#include <string_view>

#include "nmea/sentence.h"

namespace koralin {

struct App;

void tmrPolling_Timer(App& app);
// Whether fast polling may rest until the input's first character.
bool tmrPolling_MayRest(App& app, const std::function<void()>& wake);
void getGPSinput(App& app);
void getHCHDTinput(App& app);
// Produces the demo's next step and decodes it.
void getDemoInput(App& app);
void DispatchSentences(App& app);

// The rules the menus and Options.cfg set for taking sentences from the text.
SentenceRules IntakeRules(const App& app);
// The sentence with this prefix; a refused one is "" and says why in the
// frame caption. `decodable` also refuses fields no decoder can take.
std::string TakeSentence(App& app, std::string_view prefix, std::string_view text, bool decodable);

void mnuPollingSpeed_Click(App& app);
void mnuCrcCheck_Click(App& app);
void mnuAnyTalker_Click(App& app);

}  // namespace koralin
