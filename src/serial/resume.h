// A port that goes away while open (USB pulled, gpsd restarted, a server
// gone) is not switched off: the frame caption says what is missing and the
// port is reopened, with the same settings, as soon as it is back.
#pragma once

#include <exception>
#include <string>

namespace koralin {

struct App;

inline constexpr int kResumeMs = 2000;

// True for a failure that means the device went away while open.
bool IsLost(const std::exception& e);
// "Com3 lost - waiting for /dev/serial/by-id/usb-u-blox... to return".
std::string LostCaption(App& app, int port);
// The input port went away: no box, decoding and the watchdog go on.
void InputLost(App& app);
// The separate output port went away: said once, in the frame caption and
// in Terminal Out.
void OutputLost(App& app);
// Gives the frame caption the words for a lost port (the input first), or
// takes them away when no port is lost.
void ShowLostCaption(App& app);
// Every 2 s while a port is lost: tries to reopen it.
void tmrResume_Timer(App& app);

}  // namespace koralin
