// The compass rose, its direction names and the turn prompt.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "display/picture.h"

namespace koralin {

struct App;

// Height of one printed line on the rose, twips.
inline constexpr float kRoseLineHeight = 240;

// Takes the rose's centre, radius and needle length from the size of Picture1.
void SetCompassGeometry(App& app);
void DrawCompass(App& app);
// Appends the needle's two red barbs ending at the tip to `items`.
void DrawArrowHead(App& app, std::vector<DrawItem>& items, std::string_view heading, std::int16_t barbs,
                   float tipX, float tipY);
void ShowTurnPrompt(App& app);
void FillCompassTexts(App& app);
// The direction name for a course text; entry 17 ("---") when none applies.
const std::string& CompassTextOf(App& app, std::string_view course);
void mnuReflines_Click(App& app);

}  // namespace koralin
