// The whole-number options of Options.cfg: read when they are numbers in
// range, and written back only where the user wrote them.
#include <gtest/gtest.h>

#include "app/options_file.h"
#include "support/fakes.h"
#include "support/files.h"

namespace koralin {
namespace {

TEST(OptionsFile, WholeNumbersAreReadInRangeAndKeptOnlyWhereWritten) {
  const std::string flags = "AnyTalker=1\nCrcAnyCase=1\nFixWithoutRmc=1\n";
  // The file, then ListenClients, DfMinQuality, DfMaxAgeMinutes as read, and the file saved.
  const struct { const char* text; int limit, quality, minutes; std::string saved; } cases[] = {
      {"", 16, 0, 0, flags},
      {"ListenClients = 40\nDfMinQuality=4\nDfMaxAgeMinutes=15\n", 40, 4, 15,
       "ListenClients=40\nDfMinQuality=4\nDfMaxAgeMinutes=15\n" + flags},
      {"ListenClients=0\nDfMinQuality=10\n", 16, 0, 0, "ListenClients=16\nDfMinQuality=0\n" + flags},
      {"ListenClients=257\nDfMaxAgeMinutes=-1\n", 16, 0, 0, "ListenClients=16\nDfMaxAgeMinutes=0\n" + flags},
      {"ListenClients=many\nDfMinQuality=9\n", 16, 9, 0, "ListenClients=16\nDfMinQuality=9\n" + flags},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.text);
    test::TestRig rig;
    test::TempFolder folder;
    rig.app.settings.CfgFileName = folder / "Gps.cfg";
    test::WriteFile(folder / "Options.cfg", c.text);
    LoadOptions(rig.app);
    EXPECT_EQ(rig.app.serial.ListenClients, c.limit);
    EXPECT_EQ(rig.app.hunt.rules.minQuality, c.quality);
    EXPECT_EQ(rig.app.hunt.rules.maxAgeSeconds, c.minutes * 60.0);
    EXPECT_EQ(OptionsFileText(rig.app), c.saved);
  }
}

}  // namespace
}  // namespace koralin
