// Writes the shipped demo hunt (data/demo-hunt.log) to standard output: a
// drive of about 4.6 km past a transmitter, one line a second as a receiver
// and a Doppler set send it, for the log playback. The random numbers are
// drawn from mt19937's raw output with the noise derived here, so every
// library and machine writes the same bytes.
#include <GeographicLib/Geodesic.hpp>

#include <algorithm>
#include <cmath>
#include <iostream>
#include <numbers>
#include <random>
#include <string>

#include "common/basic.h"
#include "nmea/sentence.h"
#include "nmea/waypoint.h"

namespace {

using GeographicLib::Geodesic;
using koralin::Format;

// Where the drive starts and where the transmitter stands (also in the user guide).
constexpr double kStartLat = 52.04, kStartLon = 5.48;
constexpr double kTxLat = 52.0635, kTxLon = 5.5125;
constexpr double kStartTime = 9 * 3600 + 30 * 60;  // 09:30:00 UTC on 13 June 2026
constexpr double kNoiseDegrees = 4;
constexpr unsigned kReflectedPercent = 12;
constexpr double kKnotsPerMetrePerSecond = 3600.0 / 1852;

// One road: its direction, length and speed.
struct Leg {
  double azimuth, metres, kmh;
};
constexpr Leg kRoute[] = {{80, 1000, 60}, {35, 900, 70}, {95, 1200, 80}, {150, 900, 80}, {200, 600, 60}};

// The car slows to 20 km/h for the corners at either end of a road.
double Speed(const Leg& leg, double along) {
  return std::min(leg.kmh, 20 + 0.4 * std::min(along, leg.metres - along));
}

// A uniform number in (0, 1).
double Uniform(std::mt19937& g) { return (static_cast<double>(g()) + 0.5) / 4294967296.0; }

// Box-Muller: a normal number with mean 0 and standard deviation 1.
double Normal(std::mt19937& g) {
  const double u1 = Uniform(g), u2 = Uniform(g);
  return std::sqrt(-2 * std::log(u1)) * std::cos(2 * std::numbers::pi * u2);
}

// "%ddd/q": the bearing relative to the car's heading and the set's quality
// digit. A reflected bearing points anywhere, usually with a poorer digit.
std::string Bearing(std::mt19937& g, double trueRelative) {
  const bool reflected = g() % 100 < kReflectedPercent;
  const double relative = reflected ? 360 * Uniform(g) : trueRelative + kNoiseDegrees * Normal(g);
  const int quality = static_cast<int>(reflected ? 2 + g() % 6 : 5 + g() % 5);
  const long whole = std::lround(std::fmod(relative + 720, 360)) % 360;
  return "%" + Format(static_cast<double>(whole), "000") + "/" + std::to_string(quality);
}

std::string Line(std::mt19937& g, double t, double lat, double lon, double course, double kmh) {
  const Geodesic& wgs = Geodesic::WGS84();
  double metres = 0, azimuth = 0, back = 0;
  wgs.Inverse(lat, lon, kTxLat, kTxLon, metres, azimuth, back);
  const double hhmmss = std::floor(t / 3600) * 10000 + std::floor(std::fmod(t, 3600) / 60) * 100 + std::fmod(t, 60);
  const std::string knots = Format(kmh / 3.6 * kKnotsPerMetrePerSecond, "000.0");
  std::string rmc = koralin::AddCrc("$GPRMC," + Format(hhmmss, "000000") + ",A," + koralin::SentencePlace(lat, lon) +
                                    "," + knots + "," + Format(std::fmod(course + 360, 360), "000.0") + ",130626,,,A*");
  rmc.erase(rmc.find_last_not_of("\r\n") + 1);
  return rmc + " " + Bearing(g, azimuth - course) + "\r\n";
}

}  // namespace

int main() {
  const Geodesic& wgs = Geodesic::WGS84();
  std::mt19937 g(26);
  double legLat = kStartLat, legLon = kStartLon, along = 0, t = kStartTime;
  for (const Leg& leg : kRoute) {
    for (double kmh = 0; along < leg.metres; along += kmh / 3.6, t += 1) {
      kmh = Speed(leg, along);
      double lat = 0, lon = 0, course = 0;
      wgs.Direct(legLat, legLon, leg.azimuth, along, lat, lon, course);
      std::cout << Line(g, t, lat, lon, course, kmh);
    }
    along -= leg.metres;  // carried round the corner
    double endAzimuth = 0;
    wgs.Direct(legLat, legLon, leg.azimuth, leg.metres, legLat, legLon, endAzimuth);
  }
  return 0;
}
