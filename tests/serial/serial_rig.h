// A whole program on fakes, with the input choice set up as at start.
#pragma once

#include <string>
#include <vector>

#include "support/fakes.h"

namespace koralin::test {

struct SerialRig : TestRig {
  SerialRig() {
    Form1& f = app.form1;
    f.tmrPolling.SetInterval(1500);
    f.tmrComInTimeOut.SetInterval(10000);
    app.settings.BaudIn = 4800;
    for (int i = 0; i < 6; ++i) f.Option1[static_cast<std::size_t>(i)].SetCaption("Com" + std::to_string(i + 1));
    f.Option1[6].SetCaption("Com" + std::to_string(app.settings.CustomComIn));
    f.Option1[7].SetCaption("Comport off");
    f.Option1[8].SetCaption("Demo");
    for (int n = 7; n <= 31; ++n) f.lstCustumComIn.AddItem(std::to_string(n));
  }
  // Every caption lblGPRMC is given from now on.
  std::vector<std::string>& RecordGprmcCaptions() {
    app.form1.lblGPRMC.captionChanged.Subscribe([this] { gprmcCaptions.push_back(app.form1.lblGPRMC.Caption()); });
    return gprmcCaptions;
  }
  std::vector<std::string> gprmcCaptions;
};

}  // namespace koralin::test
