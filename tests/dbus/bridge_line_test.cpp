// The bridge keeps no more than one short line of its input: a line without
// an end in sight is dropped whole and counted.
#include <QProcess>
#include <fstream>
#include <gtest/gtest.h>

#include "dbus/bus_client.h"

namespace koralin {
namespace {

long PeakKb(qint64 pid) {
  std::ifstream status("/proc/" + std::to_string(pid) + "/status");
  for (std::string line; std::getline(status, line);)
    if (line.starts_with("VmHWM:")) return std::stol(line.substr(6));
  return -1;
}

TEST(Bridge, ALineWithoutEndIsDroppedWholeAndCounted) {
  QProcess bridge;
  bridge.start(KORALIN_BRIDGE, {"--name", "LongLine"});
  QByteArray said;
  ASSERT_TRUE(test::WaitFor([&] { return (said += bridge.readAllStandardError()).contains("serving"); }));
  test::Client client("watcher", "org.koralin.LongLine");
  const QByteArray noise(16 << 20, 'x');
  for (qsizetype at = 0; at < noise.size(); at += 1 << 20) {
    bridge.write(noise.mid(at, 1 << 20));
    ASSERT_TRUE(test::WaitFor([&] { return bridge.bytesToWrite() == 0; }));
  }
  bridge.write("x\n%123/4\n");
  ASSERT_TRUE(test::WaitFor([&] { return !client.changes.empty(); }));
  test::RunFor(100);
  QString served;
  for (const auto& [item, value] : client.changes) served += item + "=" + value.left(20) + " ";
  EXPECT_EQ(served.toStdString(), "lblDDESound1=%123/4 ") << "nothing of the long line is served";
  EXPECT_LT(PeakKb(bridge.processId()), 40 * 1024);
  bridge.closeWriteChannel();
  ASSERT_TRUE(bridge.waitForFinished(3000));
  EXPECT_EQ(bridge.readAllStandardError().toStdString(),
            "koralin-df-bridge: a line over 4096 characters dropped (1 so far)\n");
}

}  // namespace
}  // namespace koralin
