// The "$GPWPL" sentence: a named place for a chart plotter.
#pragma once

#include <string>
#include <string_view>

namespace koralin {

// "$GPWPL,ddmm.mmmm,N,dddmm.mmmm,E,name*hh" CR LF, the minutes to four
// decimals (about 20 cm).
std::string WaypointSentence(double latitude, double longitude, std::string_view name);
// "ddmm.mmmm,N,dddmm.mmmm,E": a place as the sentences write it.
std::string SentencePlace(double latitude, double longitude);

}  // namespace koralin
