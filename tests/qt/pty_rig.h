// A whole program whose ports are QSerialPorts on pseudo-terminals.
#pragma once

#include <cstdio>
#include <string>

#include "pty.h"
#include "qt/qt_serial_port.h"
#include "support/fakes.h"

namespace koralin::test {

// "$" body "*" checksum CR LF, computed here on its own.
inline std::string Sentence(const std::string& body) {
  unsigned x = 0;
  for (char c : body) x ^= static_cast<unsigned char>(c);
  char hex[3];
  std::snprintf(hex, sizeof hex, "%02X", x);
  return "$" + body + "*" + hex + "\r\n";
}

inline std::string Rmc(const std::string& time, const std::string& speed, const std::string& course) {
  return Sentence("GPRMC," + time + ",A,4807.038,N,01131.000,E," + speed + "," + course + ",230394,003.1,W");
}

// A whole program whose ports are QSerialPorts on ptys: port 3 is the GPS,
// port 1 the plotter.
struct PtyRig {
  // On the given bus, or on a fake one.
  explicit PtyRig(ValuesBus* realBus = nullptr) : app{Platform{system, dialogs, comm1, comm2, clockSetter, realBus ? *realBus : bus}} {
    map.Map(3, gps.Path());
    map.Map(1, plotter.Path());
    clock.Attach(app.form1.tmrPolling);
    clock.Attach(app.form1.tmrComInTimeOut);
    Form1& f = app.form1;
    f.tmrPolling.SetInterval(1500);
    f.tmrComInTimeOut.SetInterval(10000);
    for (int i = 0; i < 6; ++i) f.Option1[static_cast<std::size_t>(i)].SetCaption("Com" + std::to_string(i + 1));
    f.Option1[6].SetCaption("Com7");
    f.Option1[7].SetCaption("Comport off");
    f.Option1[8].SetCaption("Demo");
    app.settings.BaudIn = 4800;
  }
  void GpsOn() { app.form1.Option1[2].Click(); }  // Com3
  void Poll() { clock.Advance(app.form1.tmrPolling.Interval()); }

  test::PortMap map;
  Pty gps, plotter;
  test::FakeClock clock;
  test::FakeSystem system{clock};
  test::FakeDialogs dialogs;
  qt::QtSerialPort comm1{map.Folder()}, comm2{map.Folder()};
  test::FakeClockSetter clockSetter;
  test::FakeBus bus;
  App app;
};

}  // namespace koralin::test
