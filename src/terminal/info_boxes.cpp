#include "terminal/info_boxes.h"

#include <exception>
#include <initializer_list>

#include "app/app.h"
#include "common/basic.h"
#include "display/dialogs.h"

namespace koralin {

namespace {

std::string Lines(std::initializer_list<std::string> lines) {
  std::string text;
  bool first = true;
  for (const std::string& line : lines) {
    if (!first) text += kCrLf;
    text += line;
    first = false;
  }
  return text;
}

// A field of the example sentence, its meaning starting in column 20.
std::string FieldLine(const std::string& value, const std::string& meaning) {
  return value + std::string(value.size() < 19 ? 19 - value.size() : 1, ' ') + meaning;
}

void Inform(App& app, const std::string& text, const std::string& title) {
  MsgBox(app, text, title, MsgIcon::kInformation);
}

// What the two entries open, named in their failure boxes.
constexpr const char* kListingName = "Serial-port listing (devices and ComPorts.cfg)";

// Opens the listing; the failure's text, or "" when it opened.
std::string OpenListing(App& app) {
  try {
    app.platform.system.ShowSerialPortListing();
    return {};
  } catch (const std::exception& e) {
    const std::string why = e.what();
    return why.empty() ? kListingName : std::string(kListingName) + ": " + why;
  }
}

}  // namespace

std::string ProtocolText() {
  const std::string rule(71, '=');
  return Lines({rule,
                "$GPRMC,225446,A,4916.45,N,12311.12,W,000.5,054.7,191194,020.3,E,A*68",
                rule,
                FieldLine("225446", "Time of fix 22:54:46 UTC"),
                FieldLine("A", "Navigation receiver warning A = OK, V = warning"),
                FieldLine("4916.45,N", "Latitude 49 deg. 16.45 min North"),
                FieldLine("12311.12,W", "Longitude 123 deg. 11.12 min West"),
                FieldLine("000.5", "Speed over ground, Knots"),
                FieldLine("054.7", "Course Made Good, True"),
                FieldLine("191194", "Date of fix  19 November 1994"),
                FieldLine("020.3,E", "Magnetic variation 20.3 deg East"),
                FieldLine("A*68", "Checksum."),
                rule,
                "Calculating the CRC = All in between $ and * ",
                "For x = 1 To Len(strChk)",
                " chk = chk Xor Asc(Mid$(strChk, x, 1))",
                "Next",
                "Checksum = Hex$(chk)",
                rule});
}

std::string Rs232Text() {
  return Lines({"RS232 DB9 Pin Info", "-----------------------", "Rxd = 2", "Txd = 3", "Dtr = 4", "Gnd = 5",
                "Rts = 7"});
}

std::string ShortCutsText() {
  return Lines({"ShortCuts", std::string(20, '-'), "", "M= Minimal GPS Display", "F1= Stop Playlog", "Alt+F4= Exit"});
}

std::string AboutText() {
  return Lines({"Koralin GPS Readout for Linux", "Written by the Koralin developers.", "",
                "NMEA0183 GPS $GPRMC read program.", "",
                "Questions, bug reports and ideas are welcome", "through the project's issue tracker."});
}

void mnuProtocol_Click(App& app) { TableBox(app, ProtocolText(), std::string("Protocol NMEA-0183 ") + kTitle); }

void mnuRs232Info_Click(App& app) { Inform(app, Rs232Text(), kTitle); }

void mnuShortCuts_Click(App& app) { Inform(app, ShortCutsText(), kTitleShort); }

void mnuAbout_Click(App& app) {
  Inform(app, AboutText(), std::string(kTitle) + " Rev " + NumText(kBuildRevision));
}

// A box without a title of its own carries the program's name.
void mnuDevice_Click(App& app) {
  const std::string failure = OpenListing(app);
  if (failure.empty()) return;
  MsgBox(app, "Device management not found" + std::string(kCrLf) + failure, app.platform.system.ExeName(),
         MsgIcon::kInformation);
}

void mnuDeviceManager_Click(App& app) {
  const std::string failure = OpenListing(app);
  if (failure.empty()) return;
  MsgBox(app, Lines({"Could not load:", failure, "Or add your user to the dialout group"}),
         app.platform.system.ExeName(), MsgIcon::kExclamation);
}

}  // namespace koralin
