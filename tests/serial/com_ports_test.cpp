// ComPorts.cfg: which device or network target each port number opens.
#include "serial/com_ports.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "common/error.h"
#include "serial/port_target.h"
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

TEST(ComPorts, SavingReplacesOneNumberKeepsTheRestAndRefusesBadNumbersAndFailedWrites) {
  test::TempFolder folder;
  const std::string file = folder / kComPortsFile;
  WriteFile(file, "# receivers\n3=/dev/ttyUSB0\n4=/dev/ttyACM0\n3=/dev/ttyUSB9\n");
  SaveComPort(folder.path(), 3, "/dev/ttyUSB1");
  EXPECT_EQ(ReadFile(file), "# receivers\n3=/dev/ttyUSB1\n4=/dev/ttyACM0\n");
  SaveComPort(folder.path(), 7, "/dev/pts/4");
  SaveComPort(folder.path(), 31, "/dev/pts/5");  // the last number there is
  SaveComPort(folder.path(), 4, "");
  EXPECT_EQ(ReadFile(file), "# receivers\n3=/dev/ttyUSB1\n7=/dev/pts/4\n31=/dev/pts/5\n");
  EXPECT_FALSE(test::Exists(file + ".tmp"));
  for (int port : {0, 32}) EXPECT_THROW(SaveComPort(folder.path(), port, "/dev/ttyUSB0"), RunTimeError) << port;
  // A full disk shows only when the written text is pushed out.
  WriteFile(file, "3=/dev/ttyUSB0\n");
  std::filesystem::create_symlink("/dev/full", file + ".tmp");
  EXPECT_THROW(SaveComPort(folder.path(), 4, "/dev/ttyUSB1"), RunTimeError);
  ASSERT_FALSE(std::filesystem::is_symlink(file));  // else it would now lead to /dev/full
  EXPECT_EQ(ReadFile(file), "3=/dev/ttyUSB0\n");
  EXPECT_FALSE(std::filesystem::is_symlink(file + ".tmp"));
}

TEST(PortTarget, LinesNameTheirKindHostPortAndPath) {
  using K = TargetKind;
  const struct { const char* text; K kind; const char* host; int port; const char* path; } cases[] = {
      {"/dev/serial/by-id/usb-u-blox", K::kDevice, "", 0, "/dev/serial/by-id/usb-u-blox"},
      {"gpsd://", K::kGpsd, "localhost", 2947, ""},           {"gpsd://10.0.0.2", K::kGpsd, "10.0.0.2", 2947, ""},
      {"gpsd://:2948/", K::kGpsd, "localhost", 2948, ""},     {"tcp://192.168.1.20:10110", K::kTcp, "192.168.1.20", 10110, ""},
      {"tcp://[::1]:65535", K::kTcp, "::1", 65535, ""},       {"listen://:10110", K::kListen, "127.0.0.1", 10110, ""},
      {"listen://0.0.0.0:1", K::kListen, "0.0.0.0", 1, ""},
      {"pty:///tmp/koralin-gps-out", K::kPty, "", 0, "/tmp/koralin-gps-out"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.text);
    const PortTarget t = ParseTarget(c.text);
    EXPECT_TRUE(t.kind == c.kind && HasLineSpeed(t) == (c.kind == K::kDevice));
    EXPECT_EQ(t.host + ":" + std::to_string(t.tcpPort) + t.path, c.host + (":" + std::to_string(c.port)) + c.path);
  }
}

TEST(PortTarget, MalformedLinesAreNamedWithTheirFault) {
  test::TempFolder folder;
  const std::pair<const char*, const char*> cases[] = {
      {"ftp://x:1", "unknown kind \"ftp://\" - use a device path, gpsd://, tcp://, listen:// or pty://"},
      {"tcp://192.168.1.20", "no port - write it as tcp://192.168.1.20:10110"},
      {"tcp://:10110", "no host - write it as tcp://host:port"},
      {"listen://127.0.0.1:0", "the port 0 is outside 1 to 65535"},
      {"tcp://h:65536", "the port 65536 is outside 1 to 65535"},
      {"tcp://h:99999999999", "the port \"99999999999\" is not a number"},
      {"tcp://h:-1", "the port \"-1\" is not a number"},
      {"tcp://[::1:5", "the address has no closing ]"},
      {"pty://tmp/x", "pty:// needs the full path of the link, e.g. pty:///tmp/koralin-gps-out"},
  };
  for (const auto& [text, why] : cases) {
    test::WriteFile(folder / kComPortsFile, std::string("x=1\r\n2=/dev/ttyUSB0\r\n0004=/dev/ttyUSB4\r\n4=") + text + "\r\n");
    try {
      TargetOf(folder.path(), 4);
      ADD_FAILURE() << text << " accepted";
    } catch (const RunTimeError& e) {
      EXPECT_EQ(e.Description(), std::string("ComPorts.cfg line 4 \"4=") + text + "\": " + why);
    }
    EXPECT_EQ(TargetOf(folder.path(), 2).path, "/dev/ttyUSB0");  // other lines still open
    EXPECT_EQ(TargetOf(folder.path(), 5).path, "/dev/ttyS4");
  }
}

}  // namespace
}  // namespace koralin
