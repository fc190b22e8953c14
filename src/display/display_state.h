// The display: compass rose geometry and drawing, speed units, minimal display.
#pragma once

namespace koralin {

struct DisplayState {};

}  // namespace koralin
