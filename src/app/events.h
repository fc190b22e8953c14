// Every entry from the platform (tick, click, key, bus message) goes through
// Guarded, so that no error can end the process.
#pragma once

#include <exception>
#include <functional>
#include <string>

namespace koralin {

struct App;

// The last error that reached an entry point unhandled.
void RecordUnexpected(App& app, const std::string& what);

template <class F> std::function<void()> Guarded(App& app, F f) {
  return [&app, f]() {
    try {
      f(app);
    } catch (const std::exception& e) {
      RecordUnexpected(app, e.what());
    } catch (...) {
      RecordUnexpected(app, "unknown error");
    }
  };
}

// Each subsystem subscribes its routines to the controls it serves.
void WireNmea(App& app);
void WireSerial(App& app);
void WireDisplay(App& app);
void WireDde(App& app);
void WireLog(App& app);
void WireTerminal(App& app);
void WireShell(App& app);

}  // namespace koralin
