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

}  // namespace koralin
