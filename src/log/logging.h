// The sentence log.
#pragma once

#include <string_view>

namespace koralin {

struct App;

void LoggingSummer(App& app, std::string_view sentence, bool addCrc);

}  // namespace koralin
