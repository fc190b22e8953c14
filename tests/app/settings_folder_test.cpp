// The rule that picks the settings folder, over every combination that
// matters to a user: portable, installed, read-only, handed-out settings.
#include <gtest/gtest.h>

#include "app/settings_folder.h"

namespace koralin {
namespace {

TEST(SettingsFolder, TheRuleOverProgramFolderAndEnvironment) {
  struct Row {
    const char* what;
    bool writable, hasCfg, installed;
    const char* xdg;
    const char* home;
    SettingsPlace want;
  };
  const std::string cfg = "/home/ann/.config/koralin-gps";
  const Row rows[] = {
      {"portable, writable, with settings", true, true, false, "", "/home/ann", {"/opt/gps", ""}},
      {"portable, writable, first start", true, false, false, "", "/home/ann", {"/opt/gps", ""}},
      {"read-only, nothing handed out", false, false, false, "", "/home/ann", {cfg, ""}},
      {"read-only, settings handed out", false, true, false, "", "/home/ann", {cfg, "/opt/gps/Gps.cfg"}},
      {"installed, bin writable", true, false, true, "", "/home/ann", {cfg, ""}},
      {"installed, bin writable, with settings", true, true, true, "", "/home/ann", {cfg, "/opt/gps/Gps.cfg"}},
      {"installed, read-only", false, false, true, "", "/home/ann", {cfg, ""}},
      {"XDG_CONFIG_HOME wins over HOME", false, false, true, "/x/cfg/", "/home/ann", {"/x/cfg/koralin-gps", ""}},
      {"relative XDG_CONFIG_HOME ignored", false, false, true, "cfg", "/home/ann/", {cfg, ""}},
      {"no HOME, no XDG", false, true, true, "", "", {"/opt/gps", ""}},
  };
  for (const Row& r : rows) {
    const SettingsFacts facts{"/opt/gps", r.writable, r.hasCfg, r.installed, r.xdg, r.home};
    const SettingsPlace got = ChooseSettingsFolder(facts);
    EXPECT_EQ(got.folder, r.want.folder) << r.what;
    EXPECT_EQ(got.seedCfg, r.want.seedCfg) << r.what;
  }
}

}  // namespace
}  // namespace koralin
