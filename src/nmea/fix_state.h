// What the program knows of the current fix, and the texts of one poll.
#pragma once

#include <array>
#include <string>

#include "common/colours.h"
#include "nmea/gps_time.h"

namespace koralin {

inline constexpr const char* kZeroSentence =
    "$GPRMC,000000,A,0000.0000,N,00000.0000,E,0.000,0.000,000000,0.000,W,A*68";

struct FixState {
  std::string GPRMCSentence;
  std::string RmcStatus;
  std::string LatitudeText;
  std::string LongitudeText;
  std::string UtcTimeText;
  std::string UtcDateText;
  std::string CourseText;
  std::string SpeedKnotsText;
  bool GPRMCFound = false;
  Colour CourseColour = colour::kRed;
  int NoRxCount = 0;

  // The latest altitude and fix-quality sentences; "" when the last text held none.
  std::string GPGGASentence;
  std::string PGRMZSentence;
  std::string GPGSASentence;

  // Kept between decodes of $GPRMC.
  bool OldDataShown = false;
  int VoidCount = 0;

  // Time the input has run without an RMC, and whether the fix shown came
  // from GGA, GNS or GLL instead.
  int MsWithoutRmc = 0;
  bool FixWithoutRmc = false;

  koralin::MonthTable MonthTable;
};

// The texts handed to the decoders on each poll.
struct PollTexts {
  std::string RxText;          // this poll, with the carried tail of earlier polls in front
  std::string RxTextAltitude;  // the same text, for the altitude decoders
  std::string RxTextDoppler;   // this poll exactly as read
  std::string RxTextHCHDT;     // compass text gathered from the output port
  std::string RxHistory;       // recent polls joined by CR LF, about 500 characters
};

// The heading instruments: flux-gate compass and Doppler direction finder.
struct HeadingState {
  std::string HCHDTSentence;
  std::string FluxHeadingText;
  bool FluxSeen = false;
  int FluxNoTrueCount = 0;
  std::string DopplerBearing;
};

}  // namespace koralin
