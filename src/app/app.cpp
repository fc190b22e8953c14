#include "app/app.h"

#include "app/events.h"

namespace koralin {

App::App(Platform p) : platform(p) { WireForm1(*this); }

void RecordUnexpected(App& app, const std::string& what) {
  app.lastUnexpected = what;
  ++app.unexpectedCount;
}

}  // namespace koralin
