// The altitude: $GPGGA and $PGRMZ, shown in feet or metres.
#pragma once

#include <string_view>

namespace koralin {

struct App;

void ExtractingGPGGA(App& app, std::string_view text);
void ExtractingPGRMZ(App& app, std::string_view text);

}  // namespace koralin
