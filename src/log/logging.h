// The sentence log.
#pragma once

#include <string_view>

namespace koralin {

struct App;

void LoggingSummer(App& app, std::string_view sentence, bool addCrc);
// Writes the buffered records to the log file.
void GPSLoggen(App& app);

}  // namespace koralin
