// The log on a path that cannot be written: a missing folder, a folder
// without permission, a full disk, a folder in place of the file.
#include <gtest/gtest.h>

#include <unistd.h>

#include "log/logging.h"
#include "log_rig.h"

namespace koralin {
namespace {

using test::LogRig;
using test::ReadFile;

const std::string kRecord = "$GPRMC,123519,A,4807.038,N,01131.000,E,022.4,084.4,230394,003.1,W*6A";

// A file path that this process may not create: a read-only folder, or,
// for a user who may write anywhere, a place the kernel keeps read-only.
std::string DeniedPath(const test::TempFolder& folder) {
  const std::string locked = folder / "locked";
  std::filesystem::create_directory(locked);
  std::filesystem::permissions(locked, std::filesystem::perms::owner_read | std::filesystem::perms::owner_exec);
  if (::access(locked.c_str(), W_OK) != 0) return locked + "/trip.log";
  if (::access("/sys", W_OK) != 0 || ::geteuid() == 0) return "/sys/koralin-gps-trip.log";
  return {};
}

TEST(LogWriteErrors, ReportNamesPathNumberAndDescription) {
  LogRig rig;
  const struct {
    std::string path;
    const char* numberAndDescription;
  } cases[] = {
      {rig.folder / "no such folder/trip.log", "76\r\n\r\nPath not found (No such file or directory)"},
      {"/dev/full", "61\r\n\r\nDisk full (No space left on device)"},
      {rig.folder.path(), "75\r\n\r\nPath/File access error (Is a directory)"},
      {DeniedPath(rig.folder), "70\r\n\r\nPermission denied"},
  };
  for (const auto& c : cases) {
    if (c.path.empty()) continue;  // no place without permission on this machine
    SCOPED_TRACE(c.path);
    LogRig r;
    r.app.form1.mnuLoggen.SetChecked(true);
    r.app.settings.LogFileName = c.path;
    for (int i = 0; i < 15; ++i) LoggingSummer(r.app, kRecord, true);  // just over 1024 characters
    ASSERT_EQ(r.dialogs.boxes.size(), 1u);
    test::ExpectBox(r.dialogs.boxes[0], "File " + c.path + " Write error.\r\n\r\nError = " + c.numberAndDescription,
                    MsgIcon::kExclamation);
    EXPECT_EQ(r.app.log.LogBuffer.size(), 15u * 70);
    EXPECT_TRUE(r.app.form1.mnuLoggen.Checked());
    EXPECT_EQ(r.system.beeps, 0);
    for (int i = 0; i < 40; ++i) LoggingSummer(r.app, kRecord, true);
    EXPECT_EQ(r.dialogs.boxes.size(), 1u) << "the same fault is retried quietly";
    EXPECT_EQ(r.app.log.LogBuffer.size(), 55u * 70);
    EXPECT_EQ(r.app.form1.Frame1.Caption(), "GPS-NMEA-0183 log not written");
  }
}

TEST(LogWriteErrors, NoRecordIsLostOnceTheFaultClears) {
  LogRig rig;
  const std::string folder = rig.folder / "usb stick";
  const std::string path = folder + "/trip.log";
  rig.StartLogging(path);
  for (int i = 0; i < 20; ++i) {
    LoggingSummer(rig.app, "$GPRMC,1235" + std::to_string(10 + i) + ",A,4807.038,N,01131.000,E,022.4", true);
    LoggingSummer(rig.app, "%1" + std::to_string(10 + i) + "/9", false);
  }
  EXPECT_EQ(rig.dialogs.boxes.size(), 1u);
  const std::string kept = rig.app.log.LogBuffer;
  ASSERT_GT(kept.size(), 1024u);
  std::filesystem::create_directory(folder);
  std::string more;
  for (int i = 0; i < 200; ++i) {
    more += "%" + std::to_string(100 + i) + "/9\r\n";
    LoggingSummer(rig.app, "%" + std::to_string(100 + i) + "/9", false);
  }
  EXPECT_EQ(rig.system.beeps, 1) << "written at the next quiet retry";
  EXPECT_EQ(rig.app.form1.Frame1.Caption(), "GPS-NMEA-0183");
  rig.app.form1.mnuLoggen.Click();
  EXPECT_EQ(ReadFile(path), kept + more);
}

TEST(LogWriteErrors, ALastingFaultKeepsTheNewestMegabyteOfWholeRecords) {
  LogRig rig;
  rig.StartLogging("/dev/full");
  const std::string pad(60, '.');
  for (int i = 0; i < 16000; ++i) LoggingSummer(rig.app, "%" + std::to_string(100000 + i) + "/9" + pad, false);
  const std::string& kept = rig.app.log.LogBuffer;
  EXPECT_LE(kept.size(), 1024u * 1024);
  EXPECT_GT(kept.size(), 1000u * 1024);
  EXPECT_EQ(kept.substr(0, 1), "%");
  EXPECT_TRUE(kept.ends_with("%115999/9" + pad + "\r\n"));
  EXPECT_EQ(rig.dialogs.boxes.size(), 2u) << "the append question and one write error";
}

TEST(LogWriteErrors, FailedFlushAtSwitchOffKeepsTheBuffer) {
  LogRig rig;
  rig.StartLogging("/dev/full");
  LoggingSummer(rig.app, "%323/9", false);
  rig.app.form1.mnuLoggen.Click();
  ASSERT_EQ(rig.dialogs.boxes.size(), 2u) << "append question, then the write error";
  EXPECT_EQ(rig.dialogs.boxes[1].prompt, "File /dev/full Write error.\r\n\r\nError = 61\r\n\r\nDisk full (No space left on device)");
  EXPECT_FALSE(rig.app.form1.mnuLoggen.Checked());
  EXPECT_EQ(rig.app.log.LogBuffer, "%323/9\r\n");
  // Logging on again to a good file writes the kept records first.
  const std::string path = rig.folder / "trip.log";
  rig.StartLogging(path);
  rig.app.form1.mnuLoggen.Click();
  EXPECT_EQ(ReadFile(path), "%323/9\r\n");
}

}  // namespace
}  // namespace koralin
