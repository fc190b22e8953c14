// Log playback: any file played once through the menu, at full speed.
#include "app/playback.h"
#include "support/fakes.h"
#include "support/files.h"

using namespace koralin;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static const std::string log = test::ProcessFolder() + "/play.log";
  test::WriteFile(log, std::string(reinterpret_cast<const char*>(data), size));
  test::TestRig rig;
  rig.ReadyToDecode(0);
  rig.app.form1.mnuCrcCheck.SetChecked(size % 2 == 0);
  rig.app.form1.mnuLockCheck.SetChecked(true);
  rig.app.settings.PollingInterval = 0;
  rig.dialogs.inputAnswers.push_back(log);
  rig.dialogs.msgAnswers.push_back(MsgResult::kNo);  // played once
  rig.app.form1.mnuPlayLog.Click();
  for (const MessageBox& box : rig.dialogs.boxes)
    if (box.prompt.starts_with("File Read Error")) __builtin_trap();  // a played line is never a read error
  return 0;
}
