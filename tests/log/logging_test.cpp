#include "log/logging.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include "nmea/polling.h"
#include "log_rig.h"
#include "support/sentences.h"

namespace koralin {
namespace {

using test::Exists;
using test::LogRig;
using test::ReadFile;
using test::WriteFile;

const std::string kRmc = test::Rmc();  // 68 characters, 70 as a record

TEST(Logging, BatchOfOver1024CharactersIsAppendedWithABeepAndSwitchingOffWritesTheRest) {
  LogRig rig;
  const std::string path = rig.folder / "trip.log";
  WriteFile(path, "old\r\n");
  rig.StartLogging(path, MsgResult::kOk);
  for (int i = 0; i < 14; ++i) LoggingSummer(rig.app, kRmc, true);
  EXPECT_EQ(ReadFile(path) + std::to_string(rig.system.beeps), "old\r\n0") << "980 characters are kept";
  LoggingSummer(rig.app, kRmc, true);
  std::string expected = "old\r\n";
  for (int i = 0; i < 15; ++i) expected += kRmc + "\r\n";
  EXPECT_EQ(ReadFile(path) + rig.app.log.LogBuffer + std::to_string(rig.system.beeps), expected + "1");
  std::filesystem::remove(path);
  rig.app.form1.mnuLoggen.Click();  // nothing buffered: no write, no beep
  EXPECT_TRUE(rig.system.beeps == 1 && !Exists(path) && rig.app.form1.mnuPlayLog.Enabled());
}

TEST(Logging, SwitchingOnAsksForTheFileAndAboutAnExistingOne) {
  LogRig cancelled;
  cancelled.app.form1.mnuLoggen.Click();  // the input box is cancelled
  EXPECT_FALSE(cancelled.app.form1.mnuLoggen.Checked());
  const struct { bool exists; MsgResult answer; std::string afterOneRecord; } cases[] = {
      {false, MsgResult::kOk, "%323/9\r\n"}, {true, MsgResult::kOk, "old\r\n%323/9\r\n"},
      {true, MsgResult::kCancel, "%323/9\r\n"}};
  for (const auto& c : cases) {
    LogRig rig;
    const std::string was = rig.app.settings.LogFileName, path = rig.folder / "trip.log";
    if (c.exists) WriteFile(path, "old\r\n");
    rig.StartLogging(path, c.answer);
    EXPECT_EQ(rig.dialogs.inputs.at(0).defaultText + "|" + rig.app.settings.LogFileName, was + "|" + path);
    EXPECT_TRUE(rig.app.form1.mnuLoggen.Checked() && !rig.app.form1.mnuPlayLog.Enabled());
    EXPECT_EQ(rig.dialogs.boxes.size(), c.exists ? 1u : 0u) << "a new file needs no question";
    if (c.exists) { EXPECT_EQ(Exists(path), c.answer == MsgResult::kOk) << "overwriting deletes at once"; }
    LoggingSummer(rig.app, "%323/9", false);
    rig.app.form1.mnuLoggen.Click();
    EXPECT_EQ(ReadFile(path), c.afterOneRecord);
  }
  LogRig playing;  // during playback the menu only disables logging
  playing.app.form1.mnuPlayLog.SetChecked(true);
  playing.app.form1.mnuLoggen.Click();
  EXPECT_TRUE(playing.dialogs.inputs.empty() && !playing.app.form1.mnuLoggen.Checked() && !playing.app.form1.mnuLoggen.Enabled());
  LogRig other;  // only plain files are deleted for overwrite
  const std::string folder = other.folder / "a folder", fifo = other.folder / "a pipe";
  std::filesystem::create_directory(folder);
  ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
  for (const std::string& path : {folder, fifo}) {
    LogRig r;
    r.StartLogging(path, MsgResult::kCancel);
    EXPECT_TRUE(Exists(path)) << path;
    EXPECT_EQ(r.dialogs.boxes.size(), 2u) << path;  // the question, then the write error
    EXPECT_FALSE(r.app.form1.mnuLoggen.Checked()) << path;
    EXPECT_EQ(r.app.settings.LogFileName, path) << "offered again next time";
  }
}

TEST(Logging, EachDecoderLogsWhatItTook) {
  for (const bool verify : {true, false}) {
    LogRig rig;
    rig.app.form1.mnuCrcCheck.SetChecked(verify);
    rig.app.form1.mnuLockCheck.SetChecked(true);
    const std::string path = rig.folder / "trip.log";
    rig.StartLogging(path);
    rig.app.settings.ComPortIn = -1;
    const std::string hdt = test::Nmea("HCHDT,123.4,T"), gsa = test::Nmea("GPGSA,A,3,04,05,,09,12,,,24,,,,,2.5,1.3,2.1");
    const std::string gga = test::Nmea("GPGGA,121945,5146.6039,N,00531.2582,E,1,06,1.40,545.4,M,47.2,M,,");
    const std::string rmc = kRmc.substr(0, kRmc.size() - 2) + "00";  // a bad checksum, taken only unchecked
    PollTexts& p = rig.app.poll;
    p.RxText = p.RxTextAltitude = p.RxTextDoppler = "noise " + hdt + "\r\n" + (verify ? kRmc : rmc) + "7F junk\r\n" +
                                                    gga + "\r\n" + gsa + "\r\n%123/4\r\n";
    DispatchSentences(rig.app);
    rig.app.form1.mnuLoggen.Click();
    // In the order the decoders run, bad checksums corrected, text after a checksum dropped.
    EXPECT_EQ(ReadFile(path), hdt + "\r\n" + kRmc + "\r\n" + gga + "\r\n" + gsa + "\r\n%123\r\n") << verify;
  }
}

TEST(LogWriteErrors, ReportedOncePerFaultWithPathNumberAndDescription) {
  LogRig rig;
  const std::pair<std::string, const char*> cases[] = {
      {rig.folder / "no such folder/trip.log", "76\r\n\r\nPath not found (No such file or directory)"},
      {"/dev/full", "61\r\n\r\nDisk full (No space left on device)"},
      {rig.folder.path(), "75\r\n\r\nPath/File access error (Is a directory)"},
  };
  for (const auto& [path, numberAndDescription] : cases) {
    SCOPED_TRACE(path);
    LogRig r;
    r.app.form1.mnuLoggen.SetChecked(true);
    r.app.form1.mnuTerminalOut.SetChecked(true);
    r.app.settings.LogFileName = path;
    for (int i = 0; i < 15; ++i) LoggingSummer(r.app, kRmc, true);  // just over 1024 characters
    ASSERT_EQ(r.dialogs.boxes.size(), 1u);
    test::ExpectBox(r.dialogs.boxes[0], "File " + path + " Write error.\r\n\r\nError = " + numberAndDescription,
                    MsgIcon::kExclamation);
    EXPECT_TRUE(r.app.form1.mnuLoggen.Checked() && r.system.beeps == 0);
    for (int i = 0; i < 40; ++i) LoggingSummer(r.app, kRmc, true);
    EXPECT_EQ(r.dialogs.boxes.size() * 10000 + r.app.log.LogBuffer.size(), 10000u + 55 * 70) << "retried quietly";
    EXPECT_EQ(r.app.form1.Frame1.Caption(), "GPS-NMEA-0183 log not written");
    EXPECT_EQ(r.app.terminal.TerminalText[0].substr(0, 34), "log not written\r\nlog not written\r\n");
  }
}

TEST(LogWriteErrors, ALastingFaultKeepsTheNewestMegabyteAndAFailedFlushKeepsTheBuffer) {
  LogRig rig;
  rig.StartLogging("/dev/full");
  const std::string pad(60, '.');
  std::size_t most = 0;
  for (int i = 0; i < 16000; ++i) {
    LoggingSummer(rig.app, "%" + std::to_string(100000 + i) + "/9" + pad, false);
    most = std::max(most, rig.app.log.LogBuffer.size());
  }
  const std::string& kept = rig.app.log.LogBuffer;
  EXPECT_TRUE(most <= 1024u * 1024 && kept.size() > 1000u * 1024 && kept[0] == '%') << most << " " << kept.size();
  EXPECT_TRUE(kept.ends_with("%115999/9" + pad + "\r\n"));
  EXPECT_EQ(rig.dialogs.boxes.size(), 2u) << "the append question and one write error";
  LogRig flushed;  // a failed flush at switch-off keeps the buffer for the next file
  flushed.StartLogging("/dev/full");
  LoggingSummer(flushed.app, "%323/9", false);
  flushed.app.form1.mnuLoggen.Click();
  EXPECT_TRUE(flushed.dialogs.boxes.size() == 2 && !flushed.app.form1.mnuLoggen.Checked()) << "the question, then the error";
  flushed.StartLogging("/dev/full");  // chosen anew, the same fault is told anew
  flushed.app.form1.mnuLoggen.Click();
  EXPECT_EQ(flushed.dialogs.boxes.size(), 4u);
  const std::string next = flushed.folder / "trip.log";
  flushed.StartLogging(next);
  flushed.app.form1.mnuLoggen.Click();
  EXPECT_EQ(ReadFile(next), "%323/9\r\n");
}

}  // namespace
}  // namespace koralin
