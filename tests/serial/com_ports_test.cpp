#include "serial/com_ports.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "common/error.h"
#include "support/files.h"

namespace koralin {
namespace {

using test::ReadFile;
using test::WriteFile;

TEST(ComPorts, NumbersMapToTheirLinesOrToTheDefault) {
  test::TempFolder folder;
  EXPECT_EQ(DevicePath(folder.path(), 3), "/dev/ttyS2");  // no file: defaults only
  WriteFile(folder / kComPortsFile,
            "# receivers\n3=/dev/ttyUSB0\r\n 4 = /dev/ttyACM0 \n3=/dev/ttyUSB9\nx=/dev/null\n5=\n12abc=/dev/tty1\n007=/dev/ttyUSB7\n0012=/dev/tty2\n");
  const std::pair<int, const char*> cases[] = {
      {3, "/dev/ttyUSB0"},  // the first line of a number wins
      {4, "/dev/ttyACM0"}, {5, "/dev/ttyS4"},  // an empty path is no line
      {1, "/dev/ttyS0"},   {12, "/dev/ttyS11"}, {7, "/dev/ttyUSB7"},
  };
  for (const auto& [port, path] : cases) EXPECT_EQ(DevicePath(folder.path(), port), path) << port;
  EXPECT_EQ(ReadComPorts(folder.path()).size(), 3u);
}

TEST(ComPorts, SavingReplacesOneNumberAndKeepsTheRest) {
  test::TempFolder folder;
  const std::string file = folder / kComPortsFile;
  WriteFile(file, "# receivers\n3=/dev/ttyUSB0\n4=/dev/ttyACM0\n3=/dev/ttyUSB9\n");
  SaveComPort(folder.path(), 3, "/dev/ttyUSB1");
  EXPECT_EQ(ReadFile(file), "# receivers\n3=/dev/ttyUSB1\n4=/dev/ttyACM0\n");
  SaveComPort(folder.path(), 7, "/dev/pts/4");
  SaveComPort(folder.path(), 4, "");
  EXPECT_EQ(ReadFile(file), "# receivers\n3=/dev/ttyUSB1\n7=/dev/pts/4\n");
  EXPECT_FALSE(test::Exists(file + ".tmp"));
}

TEST(ComPorts, SavingRefusesBadNumbersAndFailedWritesAndKeepsTheOldFile) {
  test::TempFolder folder;
  EXPECT_THROW(SaveComPort(folder.path(), 0, "/dev/ttyUSB0"), RunTimeError);
  EXPECT_THROW(SaveComPort(folder.path(), 32, "/dev/ttyUSB0"), RunTimeError);
  EXPECT_THROW(SaveComPort(folder / "missing", 3, "/dev/ttyUSB0"), RunTimeError);
  EXPECT_FALSE(test::Exists(folder / kComPortsFile));
  // A full disk shows only when the written text is pushed out.
  const std::string file = folder / kComPortsFile;
  WriteFile(file, "3=/dev/ttyUSB0\n");
  std::filesystem::create_symlink("/dev/full", file + ".tmp");
  EXPECT_THROW(SaveComPort(folder.path(), 4, "/dev/ttyUSB1"), RunTimeError);
  ASSERT_FALSE(std::filesystem::is_symlink(file));  // else it would now lead to /dev/full
  EXPECT_EQ(ReadFile(file), "3=/dev/ttyUSB0\n");
  EXPECT_FALSE(std::filesystem::is_symlink(file + ".tmp"));
}

}  // namespace
}  // namespace koralin
