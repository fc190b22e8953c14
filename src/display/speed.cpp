#include "display/speed.h"

#include <algorithm>
#include <cmath>

#include "app/app.h"
#include "common/basic.h"
#include "common/error.h"
#include "display/dialogs.h"

namespace koralin {

namespace {

struct SpeedUnitRow {
  MenuItem Form1::*menu;
  const char* text;     // SpeedUnitText and the caption of lblUnity
  float kmhPerUnit;     // bar maximum = MaxRangeKmh / kmhPerUnit
  const char* tooltip;  // the bar's tooltip on selection
};

// Indexed by SpeedUnit - 1.
const SpeedUnitRow kUnits[4] = {
    {&Form1::mnuKnots, " knots", 1.852001f, "Speed bar in Knots."},
    {&Form1::mnuMiles, " mph", 1.609f, "Speed bar in  mph"},
    {&Form1::mnuKilometres, " kmh", 1.0f, "Speed bar in  kmh"},
    {&Form1::mnuMetresSec, " ms", 3.6f, "Speed in  ms"},
};

const SpeedUnitRow* UnitRow(int unit) { return unit >= 1 && unit <= 4 ? &kUnits[unit - 1] : nullptr; }

float Convert(int unit, float knots) {
  switch (unit) {
    case 1: return knots;
    case 2: return knots * 1.1507795f;
    case 3: return knots / 0.5399568f;
    case 4: return knots * 0.51444f;
    default: return 0.0f;
  }
}

float BarMaximum(int unit, int maxRangeKmh) {
  return static_cast<float>(maxRangeKmh) / UnitRow(unit)->kmhPerUnit;
}

float LatestKnots(App& app) { return static_cast<float>(Val(app.fix.SpeedKnotsText)); }

// The unit whose menu carries the check, tested in the order km/h, m/s,
// knots, mph; 0 when none does.
int CheckedUnit(App& app) {
  for (int unit : {3, 4, 1, 2})
    if ((app.form1.*kUnits[unit - 1].menu).Checked()) return unit;
  return 0;
}

std::string WholeText(float v) { return NumText(static_cast<long long>(RoundHalfEven(v))); }

void UnitSelect(App& app, int unit) {
  const SpeedUnitRow& row = kUnits[unit - 1];
  ClearSpeedUnitChecks(app);
  app.settings.SpeedUnit = static_cast<std::int16_t>(unit);
  (app.form1.*row.menu).SetChecked(true);
  app.form1.lblUnity.SetCaption(row.text);
  app.display.SpeedUnitText = row.text;
  ProgressBar& bar = app.form1.ProgressBar1;
  bar.SetToolTip(row.tooltip);
  bar.SetMax(BarMaximum(unit, app.settings.MaxRangeKmh));
  ShowSpeed(app, LatestKnots(app));
}

// The answer to the max-range question in whole units: 0 when it is not a
// usable number, at most 32767.
long long MaxRangeAnswer(const std::string& answer) {
  double v = 0;
  try {
    v = Val(answer);
  } catch (const RunTimeError&) {
    return 32767;  // too large to read is above the limit
  }
  if (std::fabs(v) >= 32767) return 32767;
  return static_cast<long long>(std::fabs(RoundHalfEven(v)));
}

// km/h of n in the unit of SpeedUnit; negative when the unit is unknown.
float ToKmh(int unit, long long n) {
  const SpeedUnitRow* row = UnitRow(unit);
  if (!row) return -1;
  return static_cast<float>(n) * row->kmhPerUnit;
}

}  // namespace

void ShowSpeed(App& app, float knots) {
  ProgressBar& bar = app.form1.ProgressBar1;
  const float v = Convert(app.settings.SpeedUnit, knots);
  const std::string text = Replace(Format(RoundHalfEven(v, 1), "000.0"), ",", ".");
  const double max = bar.Max();
  // Bad input (a negative speed) must not push the bar below its scale.
  bar.SetValue(max >= v ? std::max<double>(v, bar.Min()) : max);
  app.form1.lblSpeed.SetCaption(text);
  const std::string& unit = app.display.SpeedUnitText;
  bar.SetToolTip("Speed = " + text + unit + ".>" + WholeText(static_cast<float>(max)) + unit);
}

void SpeedSelect(App& app, int x) {
  if (x >= 1 && x <= 4) UnitSelect(app, x);
}

void ClearSpeedUnitChecks(App& app) {
  for (const SpeedUnitRow& row : kUnits) (app.form1.*row.menu).SetChecked(false);
}

void mnuKnots_Click(App& app) { UnitSelect(app, 1); }
void mnuMiles_Click(App& app) { UnitSelect(app, 2); }
void mnuKilometres_Click(App& app) { UnitSelect(app, 3); }
void mnuMetresSec_Click(App& app) { UnitSelect(app, 4); }

void lblSpeed_Click(App& app) {
  int unit = app.settings.SpeedUnit + 1;
  if (unit > 4) unit = 1;
  app.settings.SpeedUnit = static_cast<std::int16_t>(unit);
  SpeedSelect(app, unit);
}

void ProgressBar1_Click(App& app) {
  std::int16_t& smooth = app.settings.SmoothSpeedBar;
  smooth = smooth == 1 ? 0 : 1;
  app.form1.ProgressBar1.SetSmooth(smooth == 1);
}

void mnuMaxRange_Click(App& app) {
  const int shown = CheckedUnit(app);
  const std::string u = shown ? kUnits[shown - 1].text : "";
  const float f = shown ? RoundHalfEven(BarMaximum(shown, app.settings.MaxRangeKmh)) : 0.0f;
  const long long whole = static_cast<long long>(f);
  const std::string prompt =
      "Give MaxRangeKmh of Speedbar in" + u + std::string(kCrLf) + "Was:" + Str(whole) + u;
  const std::string answer = app.platform.dialogs.InputBox(prompt, kTitle, NumText(whole));
  if (answer.empty()) return;

  const long long n = MaxRangeAnswer(answer);
  if (n < 1) {
    MsgBox(app, "Out of range (1-32767)", kTitleShort, MsgIcon::kCritical);
    return;
  }
  const float kmh = ToKmh(app.settings.SpeedUnit, n);
  // An answer in another unit may exceed the km/h limit: it is held there.
  if (kmh >= 0) app.settings.MaxRangeKmh = static_cast<std::int16_t>(std::min(RoundHalfEven(kmh), 32767.0f));
  app.form1.ProgressBar1.SetMax(shown ? BarMaximum(shown, app.settings.MaxRangeKmh) : 0.0f);
  ShowSpeed(app, LatestKnots(app));
}

}  // namespace koralin
