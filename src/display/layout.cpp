#include "display/layout.h"

#include "app/app.h"

#include <initializer_list>

namespace koralin {

namespace {

// Rows inside the frame, below its caption; the rose sits on the left.
constexpr int kRose = 1470;
constexpr int kCol = 90 + kRose + 90;  // first column right of the rose
constexpr int kRight = kCol + 7575;   // where every row ends
constexpr int kRow1 = 285, kRow2 = 750, kBar = 1215, kRow4 = 1515, kRow5 = 1815, kRow6 = 2115, kRow7 = 2355;
constexpr int kBigHeight = 420, kSmallHeight = 285, kRawHeight = 240;
constexpr int kDdeTop = 2700, kDdeHeight = 300;

struct Cell {
  Label* label;
  int width;
};

// Labels side by side from the first column on, 60 twips apart.
void PlaceRow(int top, int height, std::initializer_list<Cell> cells) {
  int x = kCol;
  for (const Cell& c : cells) {
    c.label->SetBounds({x, top, c.width, height});
    x += c.width + 60;
  }
}

void PlaceFrameContents(Form1& f) {
  f.Picture1.SetBounds({90, kRow1, kRose, kRose});

  PlaceRow(kRow1, kBigHeight, {{&f.lblLatitude, 2325}, {&f.lblLongitude, 2475}, {&f.lblTime, 1230}, {&f.lblLock, 1365}});
  // The date's width holds "01-September-2005".
  PlaceRow(kRow2, kBigHeight,
           {{&f.lblSpeed, 1275}, {&f.lblUnity, 690}, {&f.lblCompass, 1350}, {&f.lblCompassText, 1410}, {&f.lblDate, 2475}});

  f.ProgressBar1.SetBounds({kCol, kBar, 7095, 255});
  f.lblTurnPrompt.SetBounds({kRight - 405, kBar - 15, 405, 285});

  PlaceRow(kRow4, kSmallHeight, {{&f.lblHeight, 1500}, {&f.lblFluxGateCompass, 1950}, {&f.lblDoppler, 1050},
                                 {&f.lblAmplitude, 900}, {&f.lblDDESound, 1050}});

  // Com1..Com6, the custom port, off, demo, then the custom port list.
  static constexpr int kOptionWidths[9] = {690, 690, 690, 690, 690, 690, 750, 1290, 765};
  int x = kCol;
  for (std::size_t i = 0; i < f.Option1.size(); ++i) {
    f.Option1[i].SetBounds({x, kRow5, kOptionWidths[i], kSmallHeight});
    x += kOptionWidths[i];
  }
  f.lstCustumComIn.SetBounds({x, kRow5, kRight - x, kSmallHeight});

  f.lblGPRMC.SetBounds({kCol, kRow6, 7575, kRawHeight});
  f.lblAltitude.SetBounds({kCol, kRow7, 7575, kRawHeight});
}

void PlaceDdeRow(Form1& f) {
  const Cell row[] = {{&f.lblLat1, 1500},   {&f.lblLong1, 1500},  {&f.lblVal1, 600},     {&f.lblCompas1, 1200},
                      {&f.lblSpeed1, 1275}, {&f.lblHeight1, 1200}, {&f.lblDoppler1, 1275}};
  int x = 90;
  for (const Cell& c : row) {
    c.label->SetBounds({x, kDdeTop, c.width, kDdeHeight});
    x += c.width + 60;
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
