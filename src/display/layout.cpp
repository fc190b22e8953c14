#include "display/layout.h"

#include "app/app.h"

namespace koralin {

namespace {

// Rows inside the frame, below its caption; the rose sits on the left.
constexpr int kCol = 2115;  // first column right of the rose
constexpr int kRow1 = 285, kRow2 = 750, kBar = 1215, kRow4 = 1515, kRow5 = 1830, kRow6 = 2145, kRow7 = 2400;
constexpr int kBigHeight = 420, kSmallHeight = 285, kRawHeight = 240;
constexpr int kDdeTop = 2700, kDdeHeight = 300;

void PlaceFrameContents(Form1& f) {
  f.Picture1.SetBounds({90, kRow1, 1935, 1935});

  f.lblLatitude.SetBounds({kCol, kRow1, 2325, kBigHeight});
  f.lblLongitude.SetBounds({4500, kRow1, 2475, kBigHeight});
  f.lblTime.SetBounds({7035, kRow1, 1230, kBigHeight});
  f.lblLock.SetBounds({8325, kRow1, 1365, kBigHeight});

  f.lblSpeed.SetBounds({kCol, kRow2, 1500, kBigHeight});
  f.lblUnity.SetBounds({3615, kRow2, 690, kBigHeight});
  f.lblCompass.SetBounds({4365, kRow2, 1500, kBigHeight});
  f.lblCompassText.SetBounds({5925, kRow2, 1410, kBigHeight});
  f.lblDate.SetBounds({7395, kRow2, 2295, kBigHeight});

  f.ProgressBar1.SetBounds({kCol, kBar, 7095, 255});
  f.lblTurnPrompt.SetBounds({9285, kBar - 15, 405, 285});

  f.lblHeight.SetBounds({kCol, kRow4, 1500, kSmallHeight});
  f.lblFluxGateCompass.SetBounds({3675, kRow4, 1950, kSmallHeight});
  f.lblDoppler.SetBounds({5685, kRow4, 1050, kSmallHeight});
  f.lblAmplitude.SetBounds({6795, kRow4, 900, kSmallHeight});
  f.lblDDESound.SetBounds({7755, kRow4, 1050, kSmallHeight});

  // Com1..Com6, the custom port, off, demo, then the custom port list.
  static constexpr int kOptionWidths[9] = {690, 690, 690, 690, 690, 690, 750, 1290, 765};
  int x = kCol;
  for (std::size_t i = 0; i < f.Option1.size(); ++i) {
    f.Option1[i].SetBounds({x, kRow5, kOptionWidths[i], kSmallHeight});
    x += kOptionWidths[i];
  }
  f.lstCustumComIn.SetBounds({x, kRow5, 9690 - x, kSmallHeight});

  f.lblGPRMC.SetBounds({kCol, kRow6, 7575, kRawHeight});
  f.lblAltitude.SetBounds({kCol, kRow7, 7575, kRawHeight});
}

void PlaceDdeRow(Form1& f) {
  struct Cell {
    Label* label;
    int width;
  };
  const Cell row[] = {{&f.lblLat1, 1500},   {&f.lblLong1, 1500},  {&f.lblVal1, 600},     {&f.lblCompas1, 1200},
                      {&f.lblSpeed1, 1500}, {&f.lblHeight1, 1200}, {&f.lblDoppler1, 1500}};
  int x = 90;
  for (const Cell& c : row) {
    c.label->SetBounds({x, kDdeTop, c.width, kDdeHeight});
    x += c.width + 90;
  }
}

}  // namespace

void LayOutForm1(Form1& f) {
  f.form.SetFrameSize(kForm1FrameWidth, kForm1FrameHeight);
  f.form.SetBounds({0, 0, kForm1Width, kForm1FrameHeight + kCompactInnerHeight});
  f.Frame1.SetBounds({50, 0, kForm1Width - kForm1FrameWidth - 100, 2655});
  PlaceFrameContents(f);
  PlaceDdeRow(f);
}

void Form1_Resize(App& app) {
  Window& w = app.form1.form;
  if (w.State() == WindowState::kMinimized) return;
  const int nonClientHeight = w.Height() - w.ScaleHeight();
  w.SetWidth(kForm1Width);
  if (app.form1.mnuShowDDE.Checked()) {
    w.SetHeight(nonClientHeight + kDdeInnerHeight);
  } else {
    w.SetHeight(nonClientHeight + kCompactInnerHeight);
    Rect r = app.form1.Frame1.Bounds();
    r.left = 50;
    r.width = w.ScaleWidth() - 100;
    app.form1.Frame1.SetBounds(r);
  }
}

}  // namespace koralin
