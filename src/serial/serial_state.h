// The serial ports: input choice, baud search, watchdog, output and relay.
#pragma once

#include <string>

namespace koralin {

struct SerialState {
  // The altitude texts last sent, exactly as sent, so a repeat is not sent again.
  std::string LastGPGGAOut;
  std::string LastPGRMZOut;
  // Which fore colour the next watchdog tick gives the frame.
  int WatchdogColourStep = 0;
  // Inside the baud search; a "Comport off" click then only asks it to stop.
  bool Searching = false;
  bool SearchCancelled = false;
  // A port that went away while open, waiting to be reopened.
  bool InLost = false;
  bool OutLost = false;
  // Sentences the output dropped for a slow reader, as last shown.
  long DroppedShown = 0;
  // Clients a listen:// port serves at once (Options.cfg ListenClients).
  int ListenClients = 16;
};

}  // namespace koralin
