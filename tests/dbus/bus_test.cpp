// The published items, the DF estimate and the companion link on a real
// session bus, read and played by separate bus clients and by the bridge.
#include <QDBusConnectionInterface>
#include <QProcess>
#include <algorithm>
#include <gtest/gtest.h>
#include <memory>

#include "dbus/bus_client.h"
#include "dde/client_link.h"
#include "qt/dbus_bus.h"
#include "support/fakes.h"
#include "support/files.h"

namespace koralin {
namespace {

using test::WaitFor;

const DfEstimate kPlaced{DfState::kEstimate, 48.1173, -71.0589, 1234.56, 456.4, 33.25, 12, 3, 10, {}};
const DfEstimate kBarely{DfState::kBarelyCross, 1, 2, 3, 4, 5, 4, 3, 10, {}};

// Every item of the window and of the estimate can be read and signals its
// changes (the estimate only what changed), none can be set; a second copy
// on the same name works on without publishing.
TEST(Bus, EveryItemIsReadableAndSignalledAndASecondCopyStaysOff) {
  qt::DbusBus bus("koralin-gps");
  ASSERT_TRUE(bus.Problem().isEmpty()) << bus.Problem().toStdString();
  test::TestRig rig(&bus);
  test::Client client("reader", bus.ServiceName());
  test::Client estimate("estimate-reader", bus.ServiceName(), "/DfEstimate", "org.koralin.DfEstimate");
  EXPECT_EQ(estimate.GetAll().join(',').toStdString(),
            "Latitude=,LinesRejected=0,LinesUsed=0,Longitude=,Orientation=,SemiMajor=,SemiMinor=,"
            "State=no estimate: fewer than 3 usable lines,Team=,TeamCars=,TeamDropped=");
  Form1& f = rig.app.form1;
  const struct { Label& label; const char *item, *value; } cases[] = {
      {f.lblLat1, "lblDDELat", "4807.04N"},     {f.lblLong1, "lblDDELong", "01131.00E"}, {f.lblVal1, "lblDDEVal", "A"},
      {f.lblCompas1, "lblDDECompas", "084.4\xB0"}, {f.lblSpeed1, "lblDDESpeed", "022.4 knots"},
      {f.lblHeight1, "lblDDEHeight", "1790"},   {f.lblDoppler1, "lblDoppler1", "%123/4"}};
  for (const auto& c : cases) c.label.SetCaption(c.value);
  bus.PublishEstimate(kPlaced);
  QStringList all;
  for (const auto& c : cases) all << QString(c.item) + "=" + QString::fromLatin1(c.value);
  const auto heardAll = [&] {
    QStringList heard;
    for (const auto& [item, value] : client.changes) heard << item + "=" + value;
    return std::all_of(all.begin(), all.end(), [&](const QString& a) { return heard.contains(a); });
  };
  ASSERT_TRUE(WaitFor([&] { return heardAll() && estimate.changes.size() >= 8; }));
  for (const auto& c : cases) EXPECT_TRUE(client.Set(c.item).startsWith("<error")) << c.item;
  all.sort();
  EXPECT_EQ(client.GetAll().join(" ").toStdString(), all.join(" ").toStdString()) << "exactly the window's items";
  const QString placed = "Latitude=48.117300,LinesRejected=3,LinesUsed=12,Longitude=-71.058900,Orientation=33.2,"
                         "SemiMajor=1235,SemiMinor=456,State=estimate";
  QStringList signalled;
  for (const auto& [item, value] : estimate.changes) signalled << item + "=" + value;
  signalled.sort();
  EXPECT_EQ(estimate.GetAll().join(',') + "|" + signalled.join(','), placed + ",Team=,TeamCars=,TeamDropped=|" + placed);
  EXPECT_TRUE(client.Set("objectName").startsWith("<error")) << "nothing inherited is settable";
  EXPECT_EQ(client.Get("objectName"), "<error org.freedesktop.DBus.Error.UnknownProperty>");

  estimate.changes.clear(), client.changes.clear();
  bus.PublishEstimate(kBarely);
  ASSERT_TRUE(WaitFor([&] { return estimate.changes.size() >= 7; }));
  test::RunFor(50);
  EXPECT_EQ(estimate.changes.size(), 7u) << "LinesRejected stays 3";
  EXPECT_EQ(estimate.Get("State") + "|" + estimate.Get("Latitude"), "no estimate: the lines barely cross|")
      << "no stale place beside a no-estimate state";
  EXPECT_TRUE(client.changes.empty()) << "the window's object hears nothing of the estimate";
  {
    qt::DbusBus second("koralin-gps", QDBusConnection::connectToBus(QDBusConnection::SessionBus, "second-copy"));
    EXPECT_TRUE(second.Problem().contains("already publishes")) << second.Problem().toStdString();
    second.Publish("lblDDELat", "x");  // no effect, no crash
  }
  QDBusConnection::disconnectFromBus("second-copy");
  EXPECT_EQ(client.Get("lblDDELat"), "4807.04N");
}

// The companion link needs the companion on the bus; the bridge plays it.
// Its going is noticed (that it is said once, and the last bearing kept, is
// the core's).
TEST(Bus, TheCompanionLinkFollowsTheBridge) {
  qt::DbusBus bus("koralin-linked");
  test::TestRig rig(&bus);
  EXPECT_TRUE(AdjustLblDDESound(rig.app, true)) << "the answer is not waited for";
  ASSERT_TRUE(WaitFor([&] { return !rig.dialogs.boxes.empty(); }));
  EXPECT_NE(rig.dialogs.boxes.at(0).prompt.find("org.koralin.Quillwave is not running on the session bus"),
            std::string::npos) << rig.dialogs.boxes[0].prompt;
  EXPECT_FALSE(bus.Linked() || rig.app.dde.linkOpen);
  QProcess bridge;
  bridge.start(KORALIN_BRIDGE, {});
  ASSERT_TRUE(WaitFor([] { return QDBusConnection::sessionBus().interface()->isServiceRegistered("org.koralin.Quillwave"); }));
  ASSERT_TRUE(AdjustLblDDESound(rig.app, true));
  const Label& sound = rig.app.form1.lblDDESound;
  bridge.write("%123/4\n\r\n   \n%200/7\r\n");  // blank lines are skipped
  EXPECT_TRUE(WaitFor([&] { return sound.Caption() == "%200/7"; })) << sound.Caption();
  bridge.closeWriteChannel();
  ASSERT_TRUE(bridge.waitForFinished(3000));
  EXPECT_TRUE(WaitFor([&] { return rig.dialogs.boxes.size() > 1; }));
  EXPECT_EQ(rig.app.unexpectedCount, 0);
}

// The bridge keeps no more than one short line of its input: a line without
// an end in sight is dropped whole and counted.
TEST(Bridge, ALineWithoutEndIsDroppedWholeAndCounted) {
  QProcess bridge;
  bridge.start(KORALIN_BRIDGE, {"--name", "LongLine"});
  QByteArray said;
  ASSERT_TRUE(WaitFor([&] { return (said += bridge.readAllStandardError()).contains("serving"); }));
  test::Client client("watcher", "org.koralin.LongLine");
  const QByteArray noise(16 << 20, 'x');
  for (qsizetype at = 0; at < noise.size(); at += 1 << 20) {
    bridge.write(noise.mid(at, 1 << 20));
    ASSERT_TRUE(WaitFor([&] { return bridge.bytesToWrite() == 0; }));
  }
  bridge.write("x\n%123/4\n");
  ASSERT_TRUE(WaitFor([&] { return !client.changes.empty(); }));
  test::RunFor(100);
  QString served;
  for (const auto& [item, value] : client.changes) served += item + "=" + value.left(20) + " ";
  EXPECT_EQ(served.toStdString(), "lblDDESound1=%123/4 ") << "nothing of the long line is served";
  EXPECT_LT(test::PeakKb(bridge.processId()), 40 * 1024);
  bridge.closeWriteChannel();
  ASSERT_TRUE(bridge.waitForFinished(3000));
  EXPECT_EQ(bridge.readAllStandardError().toStdString(),
            "koralin-df-bridge: a line over 4096 characters dropped (1 so far)\n");
}

// The bridge prints the readout's estimate once or follows it until the
// readout leaves; with no readout it fails.
TEST(Bridge, PrintsTheCurrentEstimateAndFollowsTheChanges) {
  auto bus = std::make_unique<qt::DbusBus>("koralin-printed");
  bus->PublishEstimate(kPlaced);
  QProcess once, follow, absent;
  once.start(KORALIN_BRIDGE, {"--estimate", "--name", "koralin-printed"});
  absent.start(KORALIN_BRIDGE, {"--estimate", "--name", "nobody-here"});
  ASSERT_TRUE(WaitFor([&] { return once.state() == QProcess::NotRunning && absent.state() == QProcess::NotRunning; }));
  EXPECT_EQ(once.exitCode(), 0);
  EXPECT_EQ(once.readAllStandardOutput().toStdString(), "48.117300 -71.058900 1235 456 33.2 12 3 estimate\n");
  EXPECT_EQ(absent.exitCode(), 1) << absent.readAllStandardError().toStdString();

  follow.start(KORALIN_BRIDGE, {"--estimate", "--follow", "--name", "koralin-printed"});
  QByteArray lines;
  ASSERT_TRUE(WaitFor([&] { return (lines += follow.readAllStandardOutput()).count('\n') == 1; }));
  bus->PublishEstimate(kBarely);
  ASSERT_TRUE(WaitFor([&] { return (lines += follow.readAllStandardOutput()).count('\n') == 2; }));
  EXPECT_EQ(lines.split('\n').at(1).toStdString(), "- - - - - 4 3 no estimate: the lines barely cross");
  bus.reset();  // the readout leaves: following ends
  ASSERT_TRUE(WaitFor([&] { return follow.state() == QProcess::NotRunning; }));
  EXPECT_EQ(follow.exitCode(), 0);
}

}  // namespace
}  // namespace koralin
