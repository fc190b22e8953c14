#include "serial/com_ports.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "common/error.h"

namespace koralin {
namespace {

struct ComPortsFile : ::testing::Test {
  std::string folder;
  void SetUp() override {
    char pattern[] = "/tmp/koralin-comports-XXXXXX";
    ASSERT_NE(mkdtemp(pattern), nullptr);
    folder = pattern;
  }
  void TearDown() override { std::filesystem::remove_all(folder); }
  void Write(const std::string& text) { std::ofstream(folder + "/ComPorts.cfg", std::ios::binary) << text; }
  std::string Read() {
    std::ifstream in(folder + "/ComPorts.cfg", std::ios::binary);
    std::ostringstream s;
    s << in.rdbuf();
    return s.str();
  }
};

TEST_F(ComPortsFile, NumbersMapToTheirLinesOrToTheDefault) {
  EXPECT_TRUE(ReadComPorts(folder).empty());  // no file: defaults only
  EXPECT_EQ(DevicePath(folder, 3), "/dev/ttyS2");
  Write("# receivers\n3=/dev/ttyUSB0\r\n 4 = /dev/ttyACM0 \n3=/dev/ttyUSB9\nx=/dev/null\n5=\n12abc=/dev/tty1\n");
  const struct {
    int port;
    std::string path;
  } cases[] = {
      {3, "/dev/ttyUSB0"},  // the first line of a number wins
      {4, "/dev/ttyACM0"},
      {5, "/dev/ttyS4"},  // an empty path is no line
      {1, "/dev/ttyS0"},
      {12, "/dev/ttyS11"},
  };
  for (const auto& c : cases) EXPECT_EQ(DevicePath(folder, c.port), c.path) << c.port;
  EXPECT_EQ(ReadComPorts(folder).size(), 2u);
}

TEST_F(ComPortsFile, SavingReplacesOneNumberAndKeepsTheRest) {
  Write("# receivers\n3=/dev/ttyUSB0\n4=/dev/ttyACM0\n3=/dev/ttyUSB9\n");
  SaveComPort(folder, 3, "/dev/ttyUSB1");
  EXPECT_EQ(Read(), "# receivers\n3=/dev/ttyUSB1\n4=/dev/ttyACM0\n");
  SaveComPort(folder, 7, "/dev/pts/4");
  EXPECT_EQ(Read(), "# receivers\n3=/dev/ttyUSB1\n4=/dev/ttyACM0\n7=/dev/pts/4\n");
  SaveComPort(folder, 4, "");
  EXPECT_EQ(Read(), "# receivers\n3=/dev/ttyUSB1\n7=/dev/pts/4\n");
  EXPECT_FALSE(std::filesystem::exists(folder + "/ComPorts.cfg.new"));
}

TEST_F(ComPortsFile, SavingRefusesBadNumbersAndUnwritableFolders) {
  EXPECT_THROW(SaveComPort(folder, 0, "/dev/ttyUSB0"), RunTimeError);
  EXPECT_THROW(SaveComPort(folder, 32, "/dev/ttyUSB0"), RunTimeError);
  EXPECT_THROW(SaveComPort(folder + "/missing", 3, "/dev/ttyUSB0"), RunTimeError);
  EXPECT_FALSE(std::filesystem::exists(folder + "/ComPorts.cfg"));
}

}  // namespace
}  // namespace koralin
