// The settings record: the persisted numbers, flags and paths. Widths are
// those of the settings file's fields; the initial values are the defaults.
#pragma once

#include <cstdint>
#include <string>

namespace koralin {

struct Settings {
  std::string LogFileName;
  std::int32_t BaudIn = 0;
  std::int16_t ComPortIn = 0;
  std::int16_t CustomComIn = 7;
  std::int16_t PollingInterval = 1500;
  std::int16_t SpeedUnit = 3;
  std::int16_t MaxRangeKmh = 160;
  std::int16_t TimeZoneOffset = -5;
  std::int16_t SmoothSpeedBar = 0;
  std::int16_t ComPortOut = 0;
  std::int32_t BaudOut = 4800;
  std::int32_t MinGpsSpeedOut = 0;
  std::int16_t FluxCompassOffset = 0;
  float MinimalTop = 0;
  float MinimalLeft = 0;
  std::int16_t ReservedInteger = 0;
  std::int32_t ReservedLong = 9600;
  bool MinimalDisplay = false;
  bool DecimalDegrees = false;

  // Kept in Options.cfg: a checksum's hex digits in either case, and the
  // fix from GGA, GNS or GLL when a receiver sends no RMC.
  bool CrcAnyCase = true;
  bool FixWithoutRmc = true;

  // Held beside the record, not saved.
  std::string CfgFileName;
};

}  // namespace koralin
