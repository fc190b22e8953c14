// Options.cfg: any file, read, save, read again. The saved file reads back to
// the same text, and the lines it does not know about are all still there.
#include "app/options_file.h"
#include "support/fakes.h"
#include "support/files.h"

using namespace koralin;

namespace {

std::string LoadAndSave(const std::string& folder) {
  test::TestRig rig;
  rig.app.settings.CfgFileName = folder + "/Gps.cfg";
  LoadOptions(rig.app);
  SaveOptions(rig.app, false);
  return OptionsFileText(rig.app);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static const std::string folder = test::ProcessFolder();
  const std::string file = folder + "/Options.cfg";
  test::WriteFile(file, std::string(reinterpret_cast<const char*>(data), size));
  const std::string first = LoadAndSave(folder);
  if (test::ReadFile(file) != first) __builtin_trap();
  if (LoadAndSave(folder) != first) __builtin_trap();  // the round trip changed an option
  return 0;
}
