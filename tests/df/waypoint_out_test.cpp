// The DF estimate as "$GPWPL" on the output port, and gpsbabel reading it.
#include <gtest/gtest.h>

#include <GeographicLib/Geodesic.hpp>

#include <cstdio>
#include <cstdlib>
#include <string>

#include "app/options_file.h"
#include "common/basic.h"
#include "nmea/waypoint.h"
#include "support/fakes.h"
#include "support/files.h"
#include "support/sentences.h"

namespace koralin {
namespace {

using GeographicLib::Geodesic;

// Reading port 3, sending on port 2, with Options.cfg holding options.
struct Sender : test::TestRig {
  explicit Sender(const std::string& options) {
    ReadyToDecode(3);
    app.settings.CfgFileName = folder / "Gps.cfg";
    test::WriteFile(folder / "Options.cfg", options);
    LoadOptions(app);
    app.settings.ComPortOut = 2;
    comm1.Open(3, "4800,N,8,1", 1024, 512);
    comm2.Open(2, "4800,N,8,1", 1024, 512);
    app.form1.tmrPolling.SetInterval(1500);
    app.form1.tmrPolling.SetEnabled(true);
  }
  // A fresh hunt of exact lines towards a place `north` metres north of the
  // first transmitter.
  void Aim(double north) {
    double lat = 0, lon = 0;
    Geodesic::WGS84().Direct(48.1, 11.5, 0, north, lat, lon);
    app.hunt.hunt.Clear();
    for (int i = 0; i < 4; ++i) {
      LineOfBearing l;
      Geodesic::WGS84().Direct(48.1, 11.5, 200 + 20 * i, 3000, l.latitude, l.longitude);
      double azi2 = 0;
      Geodesic::WGS84().Inverse(l.latitude, l.longitude, lat, lon, l.bearing, azi2);
      l.bearing = l.bearing < 0 ? l.bearing + 360 : l.bearing;
      l.time = i;
      app.hunt.hunt.Add(l);
    }
  }
  // A poll with a fix at this many seconds past noon; the waypoints it sent.
  int Poll(double seconds) {
    const std::string time = "1200" + Format(seconds, "00.00");
    comm1.Feed(test::Nmea("GPRMC," + time + ",A,4806.0000,N,01130.0000,E,000.0,,061226,,") + "\r\n");
    clock.Advance(1500);
    int n = 0;
    for (std::size_t at = comm2.written.find("$GPWPL"); at != std::string::npos;
         at = comm2.written.find("$GPWPL", at + 1))
      ++n;
    if (n > 0) last = comm2.written.substr(comm2.written.rfind("$GPWPL"));
    comm2.written.clear();
    return n;
  }
  test::TempFolder folder;
  std::string last;
};

TEST(DfWaypoint, OffUnlessOptionsSayOtherwise) {
  Sender s("ListenClients=16\n");
  s.Aim(0);
  EXPECT_EQ(s.Poll(0), 0);
  ASSERT_EQ(DfStateText(s.app.hunt.hunt.Estimate().state), DfStateText(DfState::kEstimate));
}

TEST(DfWaypoint, SentWhenTheEstimateMovesOverTenMetresAtMostOnceASecond) {
  Sender s("DfWaypointOut=1\n");
  const struct {
    const char* name;
    double north;  // -1: the hunt as it stands
    double seconds;
    int sent;
  } steps[] = {
      {"first estimate", 0, 0, 1},
      {"moved 6 m", 6, 2, 0},
      {"moved 50 m", 50, 3, 1},
      {"moved 50 m again within the second", 100, 3.5, 0},
      {"the held-back move once the second is past", -1, 4, 1},
      {"moved back 8 m", 92, 6, 0},
  };
  for (const auto& step : steps) {
    SCOPED_TRACE(step.name);
    if (step.north >= 0) s.Aim(step.north);
    ASSERT_EQ(s.Poll(step.seconds), step.sent);
    const DfEstimate& e = s.app.hunt.hunt.Estimate();
    if (step.sent) {
      EXPECT_EQ(s.last, WaypointSentence(e.latitude, e.longitude, "TX"));
    }
  }
}

TEST(DfWaypoint, GpsbabelReadsItAsAWaypoint) {
  if (std::system("command -v gpsbabel >/dev/null 2>&1") != 0) GTEST_SKIP() << "no gpsbabel";
  test::TempFolder folder;
  const struct {
    double lat, lon;
  } places[] = {{48.1173, -11.5166667}, {-33.8688, 151.2093}, {0.00001, -179.99999}};
  for (const auto& p : places) {
    test::WriteFile(folder / "tx.nmea", WaypointSentence(p.lat, p.lon, "TX"));
    FILE* pipe = ::popen(("gpsbabel -i nmea -f " + folder / "tx.nmea" + " -o gpx -F - 2>&1").c_str(), "r");
    ASSERT_NE(pipe, nullptr);
    std::string gpx;
    char buf[4096];
    for (std::size_t n; (n = std::fread(buf, 1, sizeof buf, pipe)) > 0;) gpx.append(buf, n);
    ::pclose(pipe);
    const std::size_t wpt = gpx.find("<wpt lat=\"");
    ASSERT_NE(wpt, std::string::npos) << gpx;
    double lat = 0, lon = 0;
    ASSERT_EQ(std::sscanf(gpx.c_str() + wpt, "<wpt lat=\"%lf\" lon=\"%lf\"", &lat, &lon), 2) << gpx;
    EXPECT_NEAR(lat, p.lat, 2e-6);  // a ten-thousandth of a minute
    EXPECT_NEAR(lon, p.lon, 2e-6);
    EXPECT_NE(gpx.find("<name>TX</name>"), std::string::npos) << gpx;
  }
}

}  // namespace
}  // namespace koralin
