// The hunt exported beside Gps.cfg and read back by the real map tools.
#include <gtest/gtest.h>

#include <GeographicLib/Geodesic.hpp>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <regex>
#include <string>

#include "app/hunt_export.h"
#include "common/basic.h"
#include "support/fakes.h"
#include "support/files.h"

namespace koralin {
namespace {

using GeographicLib::Geodesic;

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
  const double noise[] = {0.8, -0.6, 0.4, -0.9};
  for (int i = 0; i < 4; ++i) {
    LineOfBearing l;
    Geodesic::WGS84().Direct(-33.8, 151.2, 150 + 25 * i, 3000, l.latitude, l.longitude);
    double back = 0, azi2 = 0;
    Geodesic::WGS84().Inverse(l.latitude, l.longitude, -33.8, 151.2, back, azi2);
    l.bearing = std::fmod(back + 360 + noise[i], 360);
    l.time = 100 - i;  // the track runs backwards through the lines
    l.source = i == 0 ? "car <2> & \"friend\"" : "serial";
    rig.app.hunt.hunt.Add(l);
  }
  ASSERT_TRUE(rig.app.hunt.hunt.Update({}));
  const DfEstimate& e = rig.app.hunt.hunt.Estimate();
  ASSERT_EQ(e.state, DfState::kEstimate);
  ASSERT_GT(e.semiMinor, 1);
  ExportHunt(rig.app);
  EXPECT_TRUE(rig.dialogs.boxes.empty());

  const std::string point = "POINT \\((151\\.\\d+) (-33\\.\\d+)\\)";
  const struct {
    const char* file;
    std::string command;
    std::string count;  // a pattern whose group is a count, summed over the layers
    int features;
    std::string place;  // a pattern whose groups are the estimate's longitude and latitude
  } cases[] = {
      {"Hunt.geojson", "ogrinfo -ro -al {}", "Feature Count: (\\d+)", 7, point},
      {"Hunt.kml", "ogrinfo -ro -al {}", "Feature Count: (\\d+)", 7, point},
      // Waypoints as "No,Latitude,Longitude,Name,Description".
      {"Hunt.gpx", "gpsbabel -i gpx -f {} -o unicsv -F -", ",\"TX\",", 1, "(-33\\.\\d+),(151\\.\\d+),\"TX\""},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.file);
    std::string command = c.command;
    const std::size_t file = command.find("{}");
    const std::string out = Output(command.replace(file, 2, folder / c.file));
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
}

}  // namespace
}  // namespace koralin
