// Services whose Linux adapters are still to come: nothing is published,
// but the program runs.
#pragma once

#include "dde/values_bus.h"

namespace koralin::qt {

class NoBus : public ValuesBus {
 public:
  void Publish(const std::string&, const std::string&) override {}
  bool Link(const std::string&, std::function<void(const std::string&)>) override { return false; }
  void Unlink() override {}
};

}  // namespace koralin::qt
