#include "display/minimal.h"

#include "app/app.h"
#include "display/keys.h"

namespace koralin {

namespace {

constexpr const char* kRowTitles = "Valide\r\nLatitude\r\nLongitude\r\nCompass\r\nAltitude\r\nSpeed\r\nFluxCompass";

// Back to the design state, so nothing of an earlier use shows.
void ResetForm5(Form5& w) {
  w.closedByButton = false;
  w.SetBackColor(colour::kButtonFace);
  for (Label* l : {&w.Label1, &w.Label2}) {
    l->SetBackColor(colour::kButtonFace);
    l->SetForeColor(colour::kBlack);
  }
  w.Command1.SetCaption("&Main");
}

}  // namespace

void mnuMinimalDisplay_Click(App& app) {
  Settings& s = app.settings;
  s.MinimalDisplay = !s.MinimalDisplay;
  if (s.ComPortIn == 0) s.MinimalDisplay = false;
  Form5& w = app.display.form5;
  if (s.MinimalDisplay) {
    LoadForm5(app);
    w.form.SetVisible(true);
    app.form1.form.SetVisible(false);
  } else if (w.loaded) {
    // Closed by the program, not by its close box: the program goes on.
    w.closedByButton = true;
    UnloadForm5(app);
    app.form1.form.SetVisible(true);
  }
}

void SetMinimalValuesColour(App& app, Colour colour) {
  LoadForm5(app);
  app.display.form5.Label2.SetForeColor(colour);
}

void LoadForm5(App& app) {
  if (!app.display.form5.loaded) Form5_Load(app);
}

void UnloadForm5(App& app) {
  Form5& w = app.display.form5;
  // The exit its closing step starts unloads every window, this one too.
  if (!w.loaded || w.unloading) return;
  w.unloading = true;
  Form5_QueryUnload(app);
  w.form.SetVisible(false);
  w.loaded = false;
  w.unloading = false;
}

void Form5_Load(App& app) {
  Form5& w = app.display.form5;
  ResetForm5(w);
  w.loaded = true;
  w.form.Move(static_cast<int>(app.settings.MinimalLeft), static_cast<int>(app.settings.MinimalTop));
  w.form.SetCaption(kTitleShort);
  Rect values = w.Label2.Bounds();
  values.height = w.Label1.Bounds().height;
  w.Label2.SetBounds(values);
  Rect button = w.Command1.Bounds();
  button.top = w.Label1.Bounds().top + w.Label1.Bounds().height;
  w.Command1.SetBounds(button);
  w.Label1.SetCaption(kRowTitles);
  switch (app.settings.ComPortIn) {
    case -1:
      w.form.SetCaption("Demo");
      w.Label2.SetCaption("Demo");
      w.SetBackColor(colour::kRed);
      w.Label1.SetBackColor(colour::kRed);
      w.Label2.SetBackColor(colour::kRed);
      break;
    case 0:
      w.Label2.SetCaption("Comport off");
      break;
    default:
      w.Label2.SetCaption("No Rx Yet");
      break;
  }
}

void Form5_Command1_Click(App& app) {
  app.display.form5.closedByButton = true;
  UnloadForm5(app);
  app.form1.form.SetVisible(true);
  app.settings.MinimalDisplay = false;
}

void Form5_KeyDown(App& app, int keyCode, int) {
  if (keyCode == key::kM) Form5_Command1_Click(app);
}

void Form5_QueryUnload(App& app) {
  Form5& w = app.display.form5;
  app.settings.MinimalLeft = static_cast<float>(w.form.Left());
  app.settings.MinimalTop = static_cast<float>(w.form.Top());
  if (!w.closedByButton) w.onExit.Notify();
}

}  // namespace koralin
