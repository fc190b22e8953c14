#include "log/logging.h"

#include <gtest/gtest.h>

#include <sys/stat.h>

#include "app/shutdown.h"
#include "log_rig.h"
#include "support/sentences.h"

namespace koralin {
namespace {

using test::Exists;
using test::LogRig;
using test::ReadFile;
using test::WriteFile;

const std::string kRmc = test::Rmc();

TEST(Logging, RecordsAsOffered) {
  const struct { std::string offered; bool addCrc; std::string record; bool logging = true; } cases[] = {
      {kRmc, true, kRmc + "\r\n"}, {kRmc + "7F junk", true, kRmc + "\r\n"},
      {"$GPRMC,225446,A*FF", true, "$GPRMC,225446,A*09\r\n"},  // wrong checksum replaced
      {"$GPRMC,225446,A", true, "$GPRMC,225446,A*09\r\n"},     // a cut-short line gets one
      {"%323/9", false, "%323/9\r\n"}, {"DF032/1", false, "DF032/1\r\n"}, {"GPRMC,225446,A", true, ""},
      {"", true, ""}, {kRmc, true, "", false}, {"%323/9", false, "", false},
  };
  for (const auto& c : cases) {
    LogRig rig;
    rig.app.form1.mnuLoggen.SetChecked(c.logging);
    LoggingSummer(rig.app, c.offered, c.addCrc);
    EXPECT_EQ(rig.app.log.LogBuffer, c.record) << c.offered << " logging " << c.logging;
  }
}

TEST(Logging, BatchOfOver1024CharactersIsAppendedWithABeep) {
  LogRig rig;
  const std::string path = rig.folder / "trip.log";
  WriteFile(path, "old\r\n");
  rig.StartLogging(path, MsgResult::kOk);
  for (int i = 0; i < 14; ++i) LoggingSummer(rig.app, kRmc, true);
  EXPECT_EQ(ReadFile(path), "old\r\n") << "980 characters are kept";
  EXPECT_EQ(rig.system.beeps, 0);
  LoggingSummer(rig.app, kRmc, true);
  std::string expected = "old\r\n";
  for (int i = 0; i < 15; ++i) expected += kRmc + "\r\n";
  EXPECT_EQ(ReadFile(path), expected);
  EXPECT_EQ(rig.app.log.LogBuffer, "");
  EXPECT_EQ(rig.system.beeps, 1);
}

TEST(Logging, SwitchingOffWritesWhatIsBuffered) {
  const struct { int sentences; bool withBearing; std::size_t written; } cases[] = {
      {0, false, 0}, {1, false, 70}, {4, true, 300}};
  for (const auto& c : cases) {
    LogRig rig;
    const std::string path = rig.folder / "trip.log";
    rig.StartLogging(path);
    for (int i = 0; i < c.sentences; ++i) LoggingSummer(rig.app, kRmc, true);
    if (c.withBearing) LoggingSummer(rig.app, "DF101/9 [12] 45678", false);
    rig.app.form1.mnuLoggen.Click();
    EXPECT_EQ(ReadFile(path).size(), c.written) << c.written;
    EXPECT_EQ(Exists(path), c.written > 0) << "an empty buffer does not touch the file";
    EXPECT_EQ(rig.system.beeps, c.written > 0 ? 1 : 0) << c.written;
    EXPECT_FALSE(rig.app.form1.mnuLoggen.Checked());
    EXPECT_TRUE(rig.app.form1.mnuPlayLog.Enabled());
  }
}

TEST(Logging, SwitchingOnAsksForTheFileAndAboutAnExistingOne) {
  LogRig cancelled;
  cancelled.app.form1.mnuLoggen.Click();  // the input box is cancelled
  EXPECT_FALSE(cancelled.app.form1.mnuLoggen.Checked());
  EXPECT_TRUE(cancelled.app.form1.mnuPlayLog.Enabled());
  const struct { bool exists; MsgResult answer; std::string afterOneRecord; } cases[] = {
      {false, MsgResult::kOk, "%323/9\r\n"}, {true, MsgResult::kOk, "old\r\n%323/9\r\n"},
               {true, MsgResult::kCancel, "%323/9\r\n"}};
  for (const auto& c : cases) {
    LogRig rig;
    const std::string was = rig.app.settings.LogFileName, path = rig.folder / "trip.log";
    if (c.exists) WriteFile(path, "old\r\n");
    rig.StartLogging(path, c.answer);
    EXPECT_EQ(rig.dialogs.inputs.at(0).prompt,
              "Give the path and file name to log.\r\nWas: " + was + "\r\nBeeps every time the file is appended.");
    EXPECT_EQ(rig.dialogs.inputs[0].defaultText, was);
    EXPECT_EQ(rig.app.settings.LogFileName, path);
    EXPECT_TRUE(rig.app.form1.mnuLoggen.Checked());
    EXPECT_FALSE(rig.app.form1.mnuPlayLog.Enabled());
    ASSERT_EQ(rig.dialogs.boxes.size(), c.exists ? 1u : 0u) << "a new file needs no question";
    if (c.exists) {
      test::ExpectBox(rig.dialogs.boxes[0], "Append(Ok) or Overwrite(Cancel)\r\n" + path, MsgIcon::kInformation);
      EXPECT_EQ(rig.dialogs.boxes[0].buttons, MsgButtons::kOkCancel);
      EXPECT_EQ(Exists(path), c.answer == MsgResult::kOk) << "overwriting deletes at once";
    }
    LoggingSummer(rig.app, "%323/9", false);
    rig.app.form1.mnuLoggen.Click();
    EXPECT_EQ(ReadFile(path), c.afterOneRecord);
  }
}

TEST(Logging, OnlyPlainFilesAreDeletedForOverwrite) {
  LogRig rig;
  const std::string folder = rig.folder / "a folder";
  const std::string fifo = rig.folder / "a pipe";
  std::filesystem::create_directory(folder);
  ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
  for (const std::string& path : {folder, fifo}) {
    LogRig r;
    r.StartLogging(path, MsgResult::kCancel);
    EXPECT_TRUE(Exists(path)) << path;
    ASSERT_EQ(r.dialogs.boxes.size(), 2u) << path;
    test::ExpectBox(r.dialogs.boxes[1],
                    "File " + path + " Write error.\r\n\r\nError = 75\r\n\r\nPath/File access error",
                    MsgIcon::kExclamation);
    EXPECT_FALSE(r.app.form1.mnuLoggen.Checked()) << path;
    EXPECT_EQ(r.app.settings.LogFileName, path) << "offered again next time";
  }
}

TEST(Logging, MenuDuringPlaybackOnlyDisablesLogging) {
  LogRig rig;
  rig.app.form1.mnuPlayLog.SetChecked(true);
  rig.app.form1.mnuLoggen.Click();
  EXPECT_TRUE(rig.dialogs.inputs.empty());
  EXPECT_FALSE(rig.app.form1.mnuLoggen.Checked() || rig.app.form1.mnuLoggen.Enabled());
}

TEST(Logging, ExitWritesTheBufferedRecords) {
  for (const bool logging : {true, false}) {
    LogRig rig;
    const std::string path = rig.folder / "trip.log";
    rig.StartLogging(path);
    LoggingSummer(rig.app, "%323/9", false);
    rig.app.form1.mnuLoggen.SetChecked(logging);
    rig.app.shell.SettingsLoaded = true;
    ExitProgram(rig.app);
    EXPECT_EQ(ReadFile(path), logging ? "%323/9\r\n" : "") << logging;
  }
}

}  // namespace
}  // namespace koralin
