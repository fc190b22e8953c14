// Gps.cfg: any file, then start-up, save and a second start on the saved file,
// which must read back exactly what was saved.
#include <filesystem>

#include "app/settings_file.h"
#include "app/startup.h"
#include "support/fakes.h"
#include "support/files.h"

using namespace koralin;

namespace {

std::string StartAndSave(const std::string& folder) {
  test::TestRig rig;
  rig.system.appPath = folder;
  Form1_Load(rig.app);
  SaveSettings(rig.app);
  return SettingsFileText(rig.app);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static const std::string folder = test::ProcessFolder();
  test::WriteFile(folder + "/Gps.cfg", std::string(reinterpret_cast<const char*>(data), size));
  const std::string first = StartAndSave(folder);
  if (test::ReadFile(folder + "/Gps.cfg") != first) __builtin_trap();
  if (StartAndSave(folder) != first) __builtin_trap();  // the round trip changed a setting
  return 0;
}
