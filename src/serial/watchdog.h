// The no-input watchdog: ten seconds without a $GPRMC on an open port.
#pragma once

namespace koralin {

struct App;

// Every 10 s of silence on an open port: beep and a growing warning.
void tmrComInTimeOut_Timer(App& app);

// An accepted sentence on the open input: the ten seconds start again, and a
// standing warning gives way to the title at once. The warning's count of
// seconds is the callers' (a compass heading does not reset it).
void InputHeard(App& app);

}  // namespace koralin
