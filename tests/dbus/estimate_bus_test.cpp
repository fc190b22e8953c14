// The DF estimate on its own bus object, read and followed by another
// client and by the bridge's printer; /Form1 keeps exactly its items.
#include <QProcess>
#include <gtest/gtest.h>
#include <memory>

#include "dbus/bus_client.h"
#include "qt/dbus_bus.h"

namespace koralin {
namespace {

using qt::DbusBus;
using test::Client;
using test::WaitFor;

DfEstimate Estimate(DfState state, double lat, double lon, double major, double minor, double orientation, int used,
                    int rejected) {
  return {state, lat, lon, major, minor, orientation, used, rejected, 10, {}};
}
const DfEstimate kPlaced = Estimate(DfState::kEstimate, 48.1173, -71.0589, 1234.56, 456.4, 33.25, 12, 3);
const DfEstimate kBarely = Estimate(DfState::kBarelyCross, 1, 2, 3, 4, 5, 4, 3);

TEST(EstimateBus, ReadableAndSignalledBesideTheWindowsItems) {
  DbusBus bus("koralin-estimate");
  ASSERT_TRUE(bus.Problem().isEmpty()) << bus.Problem().toStdString();
  Client form("form-reader", bus.ServiceName());
  Client estimate("estimate-reader", bus.ServiceName(), "/DfEstimate", "org.koralin.DfEstimate");
  EXPECT_EQ(form.GetAll().join(' ').toStdString(),
            "lblDDECompas= lblDDEHeight= lblDDELat= lblDDELong= lblDDESpeed= lblDDEVal= lblDoppler1=");
  EXPECT_EQ(estimate.GetAll().join(',').toStdString(),
            "Latitude=,LinesRejected=0,LinesUsed=0,Longitude=,Orientation=,SemiMajor=,SemiMinor=,"
            "State=no estimate: fewer than 3 usable lines,Team=,TeamCars=,TeamDropped=");

  bus.PublishEstimate(kPlaced);
  ASSERT_TRUE(WaitFor([&] { return estimate.changes.size() >= 8; }));
  const QString placed = "Latitude=48.117300,LinesRejected=3,LinesUsed=12,Longitude=-71.058900,Orientation=33.2,"
                         "SemiMajor=1235,SemiMinor=456,State=estimate";
  EXPECT_EQ(estimate.GetAll().join(','), placed + ",Team=,TeamCars=,TeamDropped=");
  QStringList signalled;
  for (const auto& [item, value] : estimate.changes) signalled << item + "=" + value;
  signalled.sort();
  EXPECT_EQ(signalled.join(','), placed);

  estimate.changes.clear();
  bus.PublishEstimate(kBarely);  // only what changed is signalled
  ASSERT_TRUE(WaitFor([&] { return estimate.changes.size() >= 7; }));
  test::RunFor(50);
  EXPECT_EQ(estimate.changes.size(), 7u) << "LinesRejected stays 3";
  EXPECT_EQ(estimate.Get("State"), "no estimate: the lines barely cross");
  EXPECT_EQ(estimate.Get("Latitude"), "") << "no stale place beside a no-estimate state";
  EXPECT_TRUE(form.changes.empty()) << "the window's object hears nothing of the estimate";
}

TEST(EstimateBus, TheBridgePrintsTheCurrentValuesAndFollowsTheChanges) {
  auto bus = std::make_unique<DbusBus>("koralin-printed");
  bus->PublishEstimate(kPlaced);
  QProcess once, follow;
  once.start(KORALIN_BRIDGE, {"--estimate", "--name", "koralin-printed"});
  ASSERT_TRUE(WaitFor([&] { return once.state() == QProcess::NotRunning; }));
  EXPECT_EQ(once.exitCode(), 0);
  EXPECT_EQ(once.readAllStandardOutput().toStdString(), "48.117300 -71.058900 1235 456 33.2 12 3 estimate\n");

  follow.start(KORALIN_BRIDGE, {"--estimate", "--follow", "--name", "koralin-printed"});
  QByteArray lines;
  ASSERT_TRUE(WaitFor([&] { return (lines += follow.readAllStandardOutput()).count('\n') == 1; }));
  bus->PublishEstimate(kBarely);
  ASSERT_TRUE(WaitFor([&] { return (lines += follow.readAllStandardOutput()).count('\n') == 2; }));
  EXPECT_EQ(lines.split('\n').at(1).toStdString(), "- - - - - 4 3 no estimate: the lines barely cross");
  bus.reset();  // the readout leaves: following ends
  ASSERT_TRUE(WaitFor([&] { return follow.state() == QProcess::NotRunning; }));
  EXPECT_EQ(follow.exitCode(), 0);

  QProcess absent;
  absent.start(KORALIN_BRIDGE, {"--estimate", "--name", "nobody-here"});
  ASSERT_TRUE(WaitFor([&] { return absent.state() == QProcess::NotRunning; }));
  EXPECT_EQ(absent.exitCode(), 1) << absent.readAllStandardError().toStdString();
}

}  // namespace
}  // namespace koralin
