// Services whose Linux adapters are still to come: the clock is never set
// and nothing is published, but the program runs.
#pragma once

#include "app/clock_setter.h"
#include "common/error.h"
#include "dde/values_bus.h"

namespace koralin::qt {

class NoClockSetter : public ClockSetter {
 public:
  void SetDateTime(const DateTime&) override {
    throw RunTimeError(err::kPermissionDenied, "Setting the PC clock is not available in this version");
  }
};


}  // namespace koralin::qt
