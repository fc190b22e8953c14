// The no-input watchdog: ten seconds without a $GPRMC on an open port.
#pragma once

namespace koralin {

struct App;

// Every 10 s of silence on an open port: beep and a growing warning.
void tmrComInTimeOut_Timer(App& app);

}  // namespace koralin
