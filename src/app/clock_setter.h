// Sets the PC's clock. A refusal raises RunTimeError with a clear text.
#pragma once

#include "common/system.h"

namespace koralin {

class ClockSetter {
 public:
  virtual ~ClockSetter() = default;
  // Local date and time of day.
  virtual void SetDateTime(const DateTime& local) = 0;
};

}  // namespace koralin
