#include "app/app.h"

#include "app/events.h"

namespace koralin {

App::App(Platform p) : platform(p) {
  WireNmea(*this);
  WireSerial(*this);
  WireDisplay(*this);
  WireDde(*this);
  WireLog(*this);
  WireTerminal(*this);
  WireShell(*this);
}

void RecordUnexpected(App& app, const std::string& what) {
  app.lastUnexpected = what;
  ++app.unexpectedCount;
}

}  // namespace koralin
