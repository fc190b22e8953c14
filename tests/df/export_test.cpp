// The hunt exported beside Gps.cfg and the estimate sent as "$GPWPL", read back by the real map tools.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <regex>
#include <string>

#include "app/df_intake.h"
#include "app/hunt_export.h"
#include "app/options_file.h"
#include "common/basic.h"
#include "nmea/waypoint.h"
#include "support/df_hunt.h"
#include "support/fakes.h"
#include "support/files.h"
#include "support/sentences.h"

namespace koralin {
namespace {

std::string Output(const std::string& command) {
  std::string out;
  if (FILE* pipe = ::popen((command + " 2>&1").c_str(), "r")) {
    char buf[4096];
    for (std::size_t n; (n = std::fread(buf, 1, sizeof buf, pipe)) > 0;) out.append(buf, n);
    ::pclose(pipe);
  }
  return out;
}

bool Have(const char* tool) { return std::system(("command -v " + std::string(tool) + " >/dev/null").c_str()) == 0; }

// The counts the pattern's group catches, summed (over the layers); each
// match counts one for a pattern without a group.
int Sum(const std::string& text, const std::string& pattern) {
  int n = 0;
  const std::regex re(pattern);
  for (auto m = std::sregex_iterator(text.begin(), text.end(), re); m != std::sregex_iterator(); ++m)
    n += m->size() > 1 ? std::stoi((*m)[1]) : 1;
  return n;
}

TEST(HuntExport, MapToolsReadTheLinesTrackEstimateAndEllipse) {
  if (!Have("ogrinfo") || !Have("gpsbabel")) GTEST_SKIP() << "ogrinfo or gpsbabel missing";
  test::TempFolder folder;
  test::TestRig rig;
  rig.app.settings.CfgFileName = folder / "Gps.cfg";
  // Four lines a little off a transmitter 3 km away, so the ellipse has a size.
  const test::Place tx{-33.8, 151.2};
  const double noise[] = {0.8, -0.6, 0.4, -0.9};
  for (int i = 0; i < 4; ++i) {
    LineOfBearing l = test::Sighting(test::Offset(tx, 150 + 25 * i, 3000), tx, noise[i]);
    l.time = 100 - i;  // the track runs backwards through the lines
    l.source = i == 0 ? "car <2> & \"friend\" \\\x01" : "serial";
    rig.app.hunt.hunt.Add(l);
  }
  ASSERT_TRUE(rig.app.hunt.hunt.Update({}));
  const DfEstimate& e = rig.app.hunt.hunt.Estimate();
  ASSERT_EQ(e.state, DfState::kEstimate);
  ASSERT_GT(e.semiMinor, 1);
  ExportHunt(rig.app);
  EXPECT_TRUE(rig.dialogs.boxes.empty());

  const std::string point = "POINT \\((151\\.\\d+) (-33\\.\\d+)\\)";
  // count: a pattern whose group is a count, summed over the layers; place: one whose groups are the estimate's
  // longitude and latitude.
  const struct { const char* file; std::string command, count; int features; std::string place; } cases[] = {
      {"Hunt.geojson", "ogrinfo -ro -al {}", "Feature Count: (\\d+)", 7, point},
      {"Hunt.kml", "ogrinfo -ro -al {}", "Feature Count: (\\d+)", 7, point},
      // Waypoints as "No,Latitude,Longitude,Name,Description".
      {"Hunt.gpx", "gpsbabel -i gpx -f {} -o unicsv -F -", ",\"TX\",", 1, "(-33\\.\\d+),(151\\.\\d+),\"TX\""},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.file);
    const std::string out = Output(std::regex_replace(c.command, std::regex("\\{\\}"), folder / c.file));
    EXPECT_EQ(Sum(out, c.count), c.features) << out;
    std::smatch m;
    ASSERT_TRUE(std::regex_search(out, m, std::regex(c.place))) << out;
    const bool lonFirst = std::string(c.file) != "Hunt.gpx";
    EXPECT_NEAR(std::stod(m[lonFirst ? 1 : 2]), e.longitude, 1e-6);
    EXPECT_NEAR(std::stod(m[lonFirst ? 2 : 1]), e.latitude, 1e-6);
  }
  // GPX: four routes of two points; the track (oldest car first) and the
  // ellipse, closed, as tracks; each listing with its heading line.
  const auto gpx = [&](const char* kind) {
    return Output(std::string("gpsbabel ") + kind + " -i gpx -f " + folder / "Hunt.gpx" + " -o unicsv -F -");
  };
  const std::string routes = gpx("-r"), tracks = gpx("-t");
  EXPECT_EQ(std::count(routes.begin(), routes.end(), '\n'), 1 + 4 * 2) << routes;
  EXPECT_EQ(std::count(tracks.begin(), tracks.end(), '\n'), 1 + 4 + 73) << tracks;
  const LineOfBearing& oldest = rig.app.hunt.hunt.Lines().back();
  const std::string first =
      "1," + Format(oldest.latitude, "0.000000") + "," + Format(oldest.longitude, "0.000000") + ",";
  EXPECT_EQ(tracks.substr(tracks.find('\n') + 1, first.size()), first);
  // A stray byte of a source is a '?'; its quotes are escaped where the format needs it.
  EXPECT_NE(test::ReadFile(folder / "Hunt.geojson").find(R"("source":"car <2> & \"friend\" \\?")"), std::string::npos);
  EXPECT_NE(test::ReadFile(folder / "Hunt.kml").find("car &lt;2&gt; &amp; &quot;friend&quot; \\?"), std::string::npos);
  // A file that cannot be replaced is named in a box; the others are written.
  std::filesystem::remove(folder / "Hunt.kml"), std::filesystem::remove(folder / "Hunt.gpx");
  std::filesystem::create_directory(folder / "Hunt.kml");
  ExportHunt(rig.app);
  ASSERT_EQ(rig.dialogs.boxes.size(), 1u);
  EXPECT_TRUE(rig.dialogs.boxes[0].prompt.starts_with("File " + folder / "Hunt.kml" + " Write error.") &&
              test::Exists(folder / "Hunt.gpx"));
}

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
    const test::Place first{48.1, 11.5};
    app.hunt.hunt.Clear();
    for (int i = 0; i < 4; ++i) {
      LineOfBearing l = test::Sighting(test::Offset(first, 200 + 20 * i, 3000), test::Offset(first, 0, north));
      l.time = i;
      app.hunt.hunt.Add(l);
    }
  }
  // A poll with a fix at this many seconds past noon; the waypoints it sent.
  int Poll(double seconds) {
    const std::string time = "1200" + Format(seconds, "00.00");
    comm1.Feed(test::Nmea("GPRMC," + time + ",A,4806.0000,N,01130.0000,E,000.0,,061226,,") + "\r\n");
    clock.Advance(1500);
    const int n = Sum(comm2.written, "\\$GPWPL");
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
  EXPECT_TRUE(s.Poll(0) == 0 && s.app.hunt.hunt.Estimate().state == DfState::kEstimate);
}

TEST(DfWaypoint, SentWhenTheEstimateMovesOverTenMetresAtMostOnceASecond) {
  Sender s("DfWaypointOut=1\n");
  // north -1: the hunt as it stands
  const struct { const char* name; double north, seconds; int sent; bool fresh = false; } steps[] = {
      {"first estimate", 0, 0, 1},
      {"moved 6 m", 6, 2, 0},
      {"moved 50 m", 50, 3, 1},
      {"moved 50 m again within the second", 100, 3.5, 0},
      {"the held-back move once the second is past", -1, 4, 1},
      {"moved back 8 m", 92, 6, 0},
      {"a new hunt's first estimate, on the same place", 92, 8, 1, true},
  };
  for (const auto& step : steps) {
    SCOPED_TRACE(step.name);
    if (step.fresh) NewHunt(s.app);
    if (step.north >= 0) s.Aim(step.north);
    ASSERT_EQ(s.Poll(step.seconds), step.sent);
    const DfEstimate& e = s.app.hunt.hunt.Estimate();
    EXPECT_TRUE(!step.sent || s.last == WaypointSentence(e.latitude, e.longitude, "TX")) << s.last;
  }
}

TEST(DfWaypoint, GpsbabelReadsItAsAWaypoint) {
  if (!Have("gpsbabel")) GTEST_SKIP() << "no gpsbabel";
  test::TempFolder folder;
  const std::regex wpt("<wpt lat=\"([^\"]+)\" lon=\"([^\"]+)\">\\s*<name>TX</name>");
  for (const auto& [lat, lon] : {std::pair{48.1173, -11.5166667}, {-33.8688, 151.2093}, {0.00001, -179.99999}}) {
    test::WriteFile(folder / "tx.nmea", WaypointSentence(lat, lon, "TX"));
    const std::string gpx = Output("gpsbabel -i nmea -f " + folder / "tx.nmea" + " -o gpx -F -");
    std::smatch m;
    ASSERT_TRUE(std::regex_search(gpx, m, wpt)) << gpx;
    EXPECT_NEAR(std::stod(m[1]), lat, 2e-6);  // a ten-thousandth of a minute
    EXPECT_NEAR(std::stod(m[2]), lon, 2e-6);
  }
}

}  // namespace
}  // namespace koralin
