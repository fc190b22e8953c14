#include "display/compass.h"

#include "app/app.h"
#include "common/basic.h"

namespace koralin {

// The rose is not drawn yet; the window shows its texts only.
void DrawCompass(App&) {}
void ShowTurnPrompt(App&) {}

void FillCompassTexts(App& app) { app.CompassTexts[17] = "---"; }

const std::string& CompassTextOf(App& app, std::string_view course) {
  double i = RoundHalfEven(Val(course) / 22.5);
  if (i < 0 || i > 16 || course.find('-') != std::string_view::npos) i = 17;
  return app.CompassTexts[static_cast<std::size_t>(i)];
}

}  // namespace koralin
