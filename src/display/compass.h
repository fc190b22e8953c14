// The compass rose, its direction names and the turn prompt.
#pragma once

#include <string>
#include <string_view>

namespace koralin {

struct App;

void DrawCompass(App& app);
void ShowTurnPrompt(App& app);
void FillCompassTexts(App& app);
// The direction name for a course text; entry 17 ("---") when none applies.
const std::string& CompassTextOf(App& app, std::string_view course);

}  // namespace koralin
