#include "log/logging.h"

#include "app/app.h"

namespace koralin {

// Logging is not available yet.
void LoggingSummer(App&, std::string_view, bool) {}

void GPSLoggen(App&) {}

}  // namespace koralin
