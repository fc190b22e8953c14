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

class NoBus : public ValuesBus {
 public:
  void Publish(const std::string&, const std::string&) override {}
  bool Link(const std::string&, std::function<void(const std::string&)>) override { return false; }
  void Unlink() override {}
};

}  // namespace koralin::qt
