// The intake: arbitrary bytes in arbitrary chunks through the serial input,
// with every decoder, relay and the log on.
#include <fuzzer/FuzzedDataProvider.h>

#include <filesystem>

#include "log/logging.h"
#include "app/intake.h"
#include "support/fakes.h"

using namespace koralin;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static const std::string log = test::ProcessFolder() + "/fuzz.log";
  std::filesystem::remove(log);
  FuzzedDataProvider in(data, size);
  test::TestRig rig;
  rig.ReadyToDecode(3);
  Form1& f = rig.app.form1;
  f.mnuCrcCheck.SetChecked(in.ConsumeBool());
  for (MenuItem* m : {&f.mnuLockCheck, &f.mnuRMCPlainOut, &f.mnuRMCModifiedOut, &f.mnuGPGGAOut, &f.mnuPGRMZOut,
                      &f.mnuAgreloInOut, &f.mnuHCHDTout, &f.mnuLoggen})
    m->SetChecked(true);
  rig.app.settings.LogFileName = log;
  rig.app.settings.ComPortOut = -1;
  rig.comm1.Open(3, "4800,N,8,1", 8192, 8192);
  while (in.remaining_bytes() > 0) {
    rig.comm1.Feed(in.ConsumeRandomLengthString(200));
    getGPSinput(rig.app);
    if (!rig.comm1.IsOpen()) __builtin_trap();  // only a port fault may switch the input off
  }
  GPSLoggen(rig.app);
  return 0;
}
