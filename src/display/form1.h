// The main window's model: every control the main window shows, by the
// names the program's routines use. Behaviour lives in the routines; this is
// state only.
#pragma once

#include <array>
#include <vector>

#include "display/controls.h"
#include "display/picture.h"

namespace koralin {

inline constexpr const char* kTitle = "Koralin GPS Readout. Version 1.21";
inline constexpr const char* kTitleShort = "Koralin GPS Readout. ";
inline constexpr const char* kFrameCaption = "GPS-NMEA-0183";
// The frame's caption as designed, until a routine first sets it.
inline constexpr const char* kFrameDesignCaption = "GPS NMEA-0183";

struct Form1 {
  Form1();
  Form1(const Form1&) = delete;
  Form1& operator=(const Form1&) = delete;

  Window form{"Form1", kTitle};
  Frame Frame1{"Frame1", kFrameDesignCaption};

  // Position, time and reception.
  Label lblGPRMC{"lblGPRMC"};
  Label lblLock{"lblLock"};
  Label lblLatitude{"lblLatitude"};
  Label lblLongitude{"lblLongitude"};
  Label lblTime{"lblTime"};
  Label lblDate{"lblDate"};
  Label lblCompass{"lblCompass"};
  Label lblCompassText{"lblCompassText"};
  Label lblTurnPrompt{"lblTurnPrompt"};

  // Altitude and the heading instruments.
  Label lblAltitude{"lblAltitude"};
  Label lblHeight{"lblHeight"};
  Label lblFluxGateCompass{"lblFluxGateCompass"};
  Label lblDoppler{"lblDoppler", "%999"};
  Label lblAmplitude{"lblAmplitude"};
  Label lblDDESound{"lblDDESound"};

  // Speed.
  Label lblSpeed{"lblSpeed"};
  Label lblUnity{"lblUnity"};
  ProgressBar ProgressBar1{"ProgressBar1"};

  // Published-value sources.
  Label lblLat1{"lblLat1", "lblLat1"};
  Label lblLong1{"lblLong1", "lblLong1"};
  Label lblVal1{"lblVal1", "lblVal1"};
  Label lblCompas1{"lblCompas1", "lblCompas1"};
  Label lblSpeed1{"lblSpeed1", "lblSpeed1"};
  Label lblHeight1{"lblHeight1", "lblHeight1"};
  Label lblDoppler1{"lblDoppler1", "Duzevod232"};

  // Compass rose drawing area: the rose is drawn into its display list.
  PictureBox Picture1{"Picture1"};

  // Input choice: Com1..Com6, custom, off, demo.
  std::array<OptionButton, 9> Option1{OptionButton{"Option1(0)"}, OptionButton{"Option1(1)"},
                                      OptionButton{"Option1(2)"}, OptionButton{"Option1(3)"},
                                      OptionButton{"Option1(4)"}, OptionButton{"Option1(5)"},
                                      OptionButton{"Option1(6)"}, OptionButton{"Option1(7)"},
                                      OptionButton{"Option1(8)"}};
  ListBox lstCustumComIn{"lstCustumComIn"};

  Timer tmrPolling{"tmrPolling"};
  Timer tmrComInTimeOut{"tmrComInTimeOut"};
  Timer tmrResume{"tmrResume"};  // reopens a port that went away
  Timer tmrTeam{"tmrTeam"};      // takes in the team's lines soon after they come
  // Every timer of the window, for whatever runs them (Qt, a test's clock).
  std::array<Timer*, 4> Timers() { return {&tmrPolling, &tmrComInTimeOut, &tmrResume, &tmrTeam}; }

  // Menus, in menu-bar order.
  MenuItem mnuFiles{"mnuFiles", "&Files"};
  MenuItem mnuLoggen{"mnuLoggen", "&Loggen"};
  MenuItem mnuPlayLog{"mnuPlayLog", "&PlayLog..."};
  MenuItem mnuReflines{"mnuReflines", "&RefLines 22.5/10\xB0"};
  MenuItem mnuCrcCheck{"mnuCrcCheck", "&CRCcheck"};
  MenuItem mnuLockCheck{"mnuLockCheck", "C&heckGPSLock"};
  MenuItem mnuPollingSpeed{"mnuPollingSpeed", "&PollingSpeedFast"};
  MenuItem mnuFilesSep1{"mnuFilesSep1", "-"};
  MenuItem mnuShowDDE{"mnuShowDDE", "&Show DDE sources"};
  MenuItem mnuDevice{"mnuDevice", "S&how Devicemanager"};
  MenuItem mnuCreateGPstrings{"mnuCreateGPstrings", "Create $GP with CRC..."};
  MenuItem mnuDfWindow{"mnuDfWindow", "DF window"};
  MenuItem mnuNewHunt{"mnuNewHunt", "New hunt"};
  MenuItem mnuExportHunt{"mnuExportHunt", "E&xport hunt (GeoJSON, KML, GPX)"};
  MenuItem mnuFilesSep2{"mnuFilesSep2", "-"};
  MenuItem mnuExit{"mnuExit", "&Exit           Alt+F4"};

  MenuItem mnuComIn{"mnuComIn", "&GPS-ComIn"};
  MenuItem mnuAutoBaud{"mnuAutoBaud", "&AutoBaud"};
  MenuItem mnuBaud1k2{"mnuBaud1k2", "&Baudrate1k2"};
  MenuItem mnuBaud2k4{"mnuBaud2k4", "B&audrate2k4"};
  MenuItem mnuBaud4k8{"mnuBaud4k8", "Ba&udrate4k8"};
  MenuItem mnuBaud9k6{"mnuBaud9k6", "Bau&drate9k6"};
  MenuItem mnuBaud19k2{"mnuBaud19k2", "Baud&rate19k2"};
  MenuItem mnuBaud38k4{"mnuBaud38k4", "Baudra&te38k4"};
  MenuItem mnuComInSep1{"mnuComInSep1", "-"};
  MenuItem mnuAnyTalker{"mnuAnyTalker", "Any GNSS &talker ($GN, $GL, $GA ...)"};
  MenuItem mnuTerminalIn{"mnuTerminalIn", "&Terminal In"};

  MenuItem mnuComOut{"mnuComOut", "G&PS-ComOut"};
  MenuItem mnuRMCPlainOut{"mnuRMCPlainOut", "$GPRMC &Out"};
  MenuItem mnuGPGGAOut{"mnuGPGGAOut", "$GPGGA O&ut"};
  MenuItem mnuPGRMZOut{"mnuPGRMZOut", "$PGRMZ Ou&t"};
  MenuItem mnuHCHDTout{"mnuHCHDTout", "$HCHD&T Out"};
  MenuItem mnuAgreloInOut{"mnuAgreloInOut", "&% Agrelo Com In >  Com Out"};
  MenuItem mnuRMCModifiedOut{"mnuRMCModifiedOut", "$GPRMC &Modified Sound Out"};
  MenuItem mnuRMCModifiedOut1{"mnuRMCModifiedOut1", "$GPRMC Mo&dified Agrelo Out"};
  MenuItem mnuMinGpsSpeedOut{"mnuMinGpsSpeedOut", "GP&S Minimal Speed (0 knots)..."};
  MenuItem mnuTerminalOut{"mnuTerminalOut", "&Terminal Out"};
  MenuItem mnuHCHDTinp{"mnuHCHDTinp", "&Read $HCHDT (Arduino HMC5883L)"};
  MenuItem mnuComOutSep1{"mnuComOutSep1", "-"};
  MenuItem mnuComOutOff{"mnuComOutOff", "C&omPortOutput off"};
  MenuItem mnuSameComOut{"mnuSameComOut", "&Same ComPort as GPS"};
  MenuItem mnuCom1{"mnuCom1", "Com&1"};
  MenuItem mnuCom2{"mnuCom2", "Com&2"};
  MenuItem mnuCom3{"mnuCom3", "Com&3"};
  MenuItem mnuCom4{"mnuCom4", "Com&4"};
  MenuItem mnuCom5{"mnuCom5", "Com&5"};
  MenuItem mnuComOutSep2{"mnuComOutSep2", "-"};
  MenuItem mnuBaud1200{"mnuBaud1200", "Baud12&00"};
  MenuItem mnuBaud2400{"mnuBaud2400", "Baud24&00"};
  MenuItem mnuBaud4800{"mnuBaud4800", "&Baud4800"};
  MenuItem mnuBaud9600{"mnuBaud9600", "B&aud9600"};
  MenuItem mnuBaud19200{"mnuBaud19200", "Ba&ud19200"};
  MenuItem mnuBaud38400{"mnuBaud38400", "Bau&d38400"};
  MenuItem mnuModifiedInfo{"mnuModifiedInfo", "M&odified Info"};

  MenuItem mnuTime{"mnuTime", "&Time"};
  MenuItem mnuUTC{"mnuUTC", "&UTC"};
  MenuItem mnuWinter{"mnuWinter", "L&ocal Winter +1"};
  MenuItem mnuSummer{"mnuSummer", "&Local Summer +2"};
  MenuItem mnuTimeZone{"mnuTimeZone", "T&imezone"};

  MenuItem mnuSpeed{"mnuSpeed", "&Speed"};
  MenuItem mnuKnots{"mnuKnots", "&Knots"};
  MenuItem mnuMiles{"mnuMiles", "&Miles"};
  MenuItem mnuKilometres{"mnuKilometres", "K&ilometres"};
  MenuItem mnuMetresSec{"mnuMetresSec", "&Metres/Sec"};
  MenuItem mnuSpeedSep1{"mnuSpeedSep1", "-"};
  MenuItem mnuFeet2Metres{"mnuFeet2Metres", "&Feet/Metres"};
  MenuItem mnuMaxRange{"mnuMaxRange", "M&axRange"};

  MenuItem mnuGpsFlux{"mnuGpsFlux", "S&ync-Flux"};
  MenuItem mnuMinimalDisplay{"mnuMinimalDisplay", "&Minimal Display "};

  MenuItem mnuInfo{"mnuInfo", "&Info"};
  MenuItem mnuShortCuts{"mnuShortCuts", "&Shortcuts"};
  MenuItem mnuProtocol{"mnuProtocol", "&Protocol"};
  MenuItem mnuDDEInfo{"mnuDDEInfo", "&DDE Info"};
  MenuItem mnuRs232Info{"mnuRs232Info", "&RS232 Info"};
  MenuItem mnuDeviceManager{"mnuDeviceManager", "Device manager"};
  MenuItem mnuInfoSep1{"mnuInfoSep1", "-"};
  MenuItem mnuAbout{"mnuAbout", "&About"};

  // The menu bar: top-level entries in order; each holds its submenu.
  std::vector<MenuItem*> menuBar;
  // Every label of the window, for the face to mirror.
  std::vector<Label*> labels;
};

}  // namespace koralin
