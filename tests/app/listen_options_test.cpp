// The listen:// client limit in Options.cfg: read when it is a count, and
// written back only where the user wrote it.
#include <gtest/gtest.h>

#include "app/options_file.h"
#include "support/fakes.h"
#include "support/files.h"

namespace koralin {
namespace {

TEST(OptionsFile, TheListenClientLimitIsACountKeptOnlyWhereWritten) {
  const struct { const char* text; int limit; const char* saved; } cases[] = {
      {"", 16, "AnyTalker=1\n"},
      {"ListenClients = 40\n", 40, "ListenClients=40\nAnyTalker=1\n"},
      {"ListenClients=0\n", 16, "ListenClients=16\nAnyTalker=1\n"},
      {"ListenClients=257\n", 16, "ListenClients=16\nAnyTalker=1\n"},
      {"ListenClients=many\n", 16, "ListenClients=16\nAnyTalker=1\n"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.text);
    test::TestRig rig;
    test::TempFolder folder;
    rig.app.settings.CfgFileName = folder / "Gps.cfg";
    test::WriteFile(folder / "Options.cfg", c.text);
    LoadOptions(rig.app);
    EXPECT_EQ(rig.app.serial.ListenClients, c.limit);
    EXPECT_EQ(OptionsFileText(rig.app), c.saved);
  }
}

}  // namespace
}  // namespace koralin
