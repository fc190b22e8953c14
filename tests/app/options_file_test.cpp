#include "app/options_file.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>
#include <functional>

#include "support/fakes.h"
#include "support/files.h"

namespace koralin {
namespace {

// Whatever Options.cfg holds, the defaults are read without waiting; the file
// left behind holds every option as switched since and every line it did not
// know.
TEST(OptionsFile, BadFilesMeanTheDefaults) {
  using Make = std::function<void(const std::string&)>;
  const auto text = [](std::string t) { return Make([t](const std::string& p) { test::WriteFile(p, t); }); };
  const struct {
    const char* name;
    Make make;
    bool anyTalker;     // as read; switched before the save
    std::string saved;  // "" : the save fails with a box
  } cases[] = {
      {"missing", [](const std::string&) {}, true, "AnyTalker=0\n"},
      {"empty", text(""), true, "AnyTalker=0\n"},
      {"off, other lines kept", text("# mine\r\nColour = red\r\n AnyTalker = 0\r\n"), false,
       "# mine\nColour = red\nAnyTalker=1\n"},
      {"unknown value", text("AnyTalker=yes"), true, "AnyTalker=0\n"},
      {"binary", text(std::string("AnyTalker=0\n\0\xFF", 14)), true, "AnyTalker=0\n"},
      {"huge", text("AnyTalker=0\n" + std::string(70000, '#')), true, "AnyTalker=0\n"},
      {"fifo", [](const std::string& p) { ::mkfifo(p.c_str(), 0600); }, true, ""},  // never replaced
      {"folder", [](const std::string& p) { std::filesystem::create_directory(p); }, true, ""},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    test::TestRig rig;
    test::TempFolder folder;
    rig.app.settings.CfgFileName = folder / "Gps.cfg";
    const std::string path = OptionsFileName(rig.app);
    ASSERT_EQ(path, folder / "Options.cfg");
    c.make(path);
    LoadOptions(rig.app);
    EXPECT_EQ(rig.app.form1.mnuAnyTalker.Checked(), c.anyTalker);
    rig.app.form1.mnuAnyTalker.SetChecked(!c.anyTalker);
    SaveOptions(rig.app);
    EXPECT_EQ(rig.dialogs.boxes.size(), c.saved.empty() ? 1u : 0u);
    if (!c.saved.empty()) {
      EXPECT_EQ(test::ReadFile(path), c.saved);
    }
  }
}

}  // namespace
}  // namespace koralin
