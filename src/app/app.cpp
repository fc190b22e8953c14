#include "app/app.h"

#include "app/events.h"
#include "app/intake.h"
#include "app/wiring.h"

namespace koralin {

App::App(Platform p) : platform(p) {
  WireForm1(*this);
  WireMinimalDisplay(*this);
  WireTerminals(*this);
  WireCrcTool(*this);
  WirePortListing(*this);
}

void RecordUnexpected(App& app, const std::string& what) {
  app.lastUnexpected = what;
  ++app.unexpectedCount;
}

void App::DispatchPoll() { DispatchSentences(*this); }

}  // namespace koralin
