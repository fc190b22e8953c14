// The one way every file is opened, for the files only a menu opens (the log
// appended to, the played log, a file replaced as one step); the files read
// at start are the real program's test.
#include <sys/stat.h>

#include <filesystem>
#include <functional>
#include <gtest/gtest.h>

#include "common/error.h"
#include "log/log_file.h"
#include "support/files.h"

namespace koralin {
namespace {

namespace fs = std::filesystem;

// Each way of opening refuses at once whatever is not a regular file, naming
// it, and leaves it as it stands; through a link to a regular file it works,
// and only appending makes a missing file (never through a link to nothing).
TEST(OddFiles, EachWayOfOpeningRefusesAllButARegularFileByName) {
  const std::pair<const char*, std::function<void(const std::string&)>> ways[] = {
      {"played", [](const std::string& p) { std::string line; LineReader(p).Next(line); }},
      {"appended", [](const std::string& p) { AppendToFile(p, "$GPRMC\r\n"); }},
      {"replaced", [](const std::string& p) { ReplaceFile(p, "AnyTalker=1\n"); }},
  };
  // What stands at "it" (a link's target as given), and what the refusal calls it; "" works.
  const struct { const char* kind; std::string target, named; } rows[] = {
      {"FIFO", "", "a FIFO"}, {"folder", "", "a folder"}, {"link", "/dev/zero", "a device"},
      {"link", "/dev/full", "a device"}, {"link", "gone", "a link to nothing"},
      {"link", "gone/file", "a link to nothing"}, {"link", "plain", ""}, {"missing", "", ""},
  };
  for (const auto& [way, open] : ways)
    for (const auto& r : rows) {
      SCOPED_TRACE(std::string(way) + " " + r.kind + " " + r.target);
      test::TempFolder dir;
      const std::string it = dir / "it";
      test::WriteFile(dir / "plain", "$GPGGA\r\n");
      if (r.kind == std::string("FIFO")) ::mkfifo(it.c_str(), 0600);
      if (r.kind == std::string("folder")) fs::create_directory(it);
      if (r.kind == std::string("link")) fs::create_symlink(r.target, it);
      const fs::file_type made = fs::symlink_status(it).type();
      std::string refused = "-";
      try {
        open(it);
      } catch (const RunTimeError& e) {
        refused = std::to_string(e.Number()) + " " + e.Description();
      }
      const bool missing = r.kind == std::string("missing");
      if (!r.named.empty()) {
        EXPECT_EQ(refused, "75 Path/File access error (it is " + r.named + ", not a regular file)");
        EXPECT_EQ(fs::symlink_status(it).type(), made) << "left as it stands";
      } else {
        EXPECT_EQ(refused.substr(0, 2), missing && way == std::string("played") ? "53" : "-") << refused;
      }
      EXPECT_EQ(test::Exists(dir / "gone"), false) << "nothing made through a link to nothing";
      if (r.target == "plain" && way == std::string("appended")) {
        EXPECT_EQ(test::ReadFile(dir / "plain"), "$GPGGA\r\n$GPRMC\r\n") << "through the link";
      }
    }
}

}  // namespace
}  // namespace koralin
