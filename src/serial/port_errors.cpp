#include "serial/port_errors.h"

#include "app/app.h"

namespace koralin {

namespace {
void Record(ErrorRecord& r, const std::string& procName, const std::string& errText, int port) {
  r.procName = procName;
  r.description = errText;
  r.port = port;
  ++r.count;
}
}  // namespace

// The ports' boxes come with the port handling; until then a failure is
// recorded so that it can be seen and tested.
void ComPortInError(App& app, const std::string& procName, const std::string& errText, int port) {
  Record(app.lastInputError, procName, errText, port);
}

void ComOutOpenError(App& app, const std::string& procName, const std::string& errText, int port) {
  Record(app.lastOutputError, procName, errText, port);
}

void SendToComout(App&, const std::string&) {}

}  // namespace koralin
