// The display: compass rose geometry and drawing, speed units, minimal display.
#pragma once

#include <cstdint>
#include <string>

#include "display/df_window.h"
#include "display/form5.h"
#include "display/frame_caption.h"

namespace koralin {

struct DisplayState {
  // Rose geometry in twips, fixed once the picture has its size.
  float CompassCentreX = 0;
  float CompassCentreY = 0;
  float CompassRadius = 0;
  float NeedleLength = 0;

  std::int16_t TurnPromptStep = 0;

  // The unit suffix with its leading blank (" kmh"); empty until a unit is chosen.
  std::string SpeedUnitText;

  FrameCaptionReasons caption;

  // The minimal display window; see Form5::loaded.
  Form5 form5;

  // The DF window; hidden until "DF window" is chosen.
  DfForm dfForm;
};

}  // namespace koralin
