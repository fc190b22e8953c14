// The published items and the companion link on a real session bus, read
// and played by separate bus clients.
#include <QDBusConnectionInterface>
#include <QProcess>
#include <algorithm>
#include <gtest/gtest.h>

#include "dbus/bus_client.h"
#include "dde/client_link.h"
#include "qt/dbus_bus.h"
#include "support/fakes.h"

namespace koralin {
namespace {

using qt::DbusBus;
using test::Client;
using test::WaitFor;

// Every item can be read and signals its changes, none can be set; a second
// copy on the same name works on without publishing.
TEST(Bus, EveryItemIsReadableAndSignalledAndASecondCopyStaysOff) {
  DbusBus bus("koralin-gps");
  ASSERT_TRUE(bus.Problem().isEmpty()) << bus.Problem().toStdString();
  test::TestRig rig(&bus);
  Client client("reader", bus.ServiceName());
  Form1& f = rig.app.form1;
  const struct { Label& label; const char *item, *value; } cases[] = {
      {f.lblLat1, "lblDDELat", "4807.04N"},     {f.lblLong1, "lblDDELong", "01131.00E"}, {f.lblVal1, "lblDDEVal", "A"},
      {f.lblCompas1, "lblDDECompas", "084.4\xB0"}, {f.lblSpeed1, "lblDDESpeed", "022.4 knots"},
      {f.lblHeight1, "lblDDEHeight", "1790"},   {f.lblDoppler1, "lblDoppler1", "%123/4"}};
  for (const auto& c : cases) c.label.SetCaption(c.value);
  ASSERT_TRUE(WaitFor([&] { return client.changes.size() >= 7; }));
  for (const auto& c : cases) {
    const std::pair<QString, QString> signalled{c.item, QString::fromLatin1(c.value)};
    EXPECT_EQ(client.Get(c.item), signalled.second) << c.item;
    EXPECT_NE(std::find(client.changes.begin(), client.changes.end(), signalled), client.changes.end()) << c.item;
    EXPECT_TRUE(client.Set(c.item).startsWith("<error")) << c.item;
  }
  EXPECT_TRUE(client.Set("objectName").startsWith("<error")) << "nothing inherited is settable";
  EXPECT_EQ(client.Get("objectName"), "<error org.freedesktop.DBus.Error.UnknownProperty>");
  {
    DbusBus second("koralin-gps", QDBusConnection::connectToBus(QDBusConnection::SessionBus, "second-copy"));
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
  DbusBus bus("koralin-linked");
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

}  // namespace
}  // namespace koralin
