// The sentence log.
#pragma once

#include <string_view>

namespace koralin {

struct App;

// Offers one sentence (addCrc: rebuilt with a fresh checksum) or bearing
// text (as it is) to the log; written in batches of over 1024 characters.
void LoggingSummer(App& app, std::string_view sentence, bool addCrc);
// Writes the buffered records to the log file.
void GPSLoggen(App& app);
// Switches logging on (asking for the file) or off.
void mnuLoggen_Click(App& app);

}  // namespace koralin
