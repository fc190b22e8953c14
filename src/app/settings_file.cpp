#include "app/settings_file.h"

#include <array>
#include <cmath>
#include <limits>
#include <vector>

#include "app/app.h"
#include "display/file_errors.h"
#include "common/text_file.h"
#include "common/basic.h"

namespace koralin {

namespace {

constexpr int kLines = 32;
// A real file is well under a kilobyte; a longer one is cut here rather
// than read into memory whole.
constexpr std::size_t kMaxFileSize = 1 << 20;

// The twelve menu items whose check mark is a setting, in file order.
std::array<MenuItem*, 12> CheckItems(Form1& f) {
  return {&f.mnuFeet2Metres, &f.mnuCrcCheck,    &f.mnuLockCheck,       &f.mnuReflines,
          &f.mnuRMCPlainOut, &f.mnuRMCModifiedOut, &f.mnuRMCModifiedOut1, &f.mnuGPGGAOut,
          &f.mnuPGRMZOut,    &f.mnuHCHDTout,    &f.mnuAgreloInOut,     &f.mnuHCHDTinp};
}

std::string Quoted(std::string_view s) { return "\"" + std::string(s) + "\""; }

// Reads the file's lines in order; running out is error 62.
class LineReader {
 public:
  explicit LineReader(std::vector<std::string> lines) : lines_(std::move(lines)) {}

  const std::string& Next() {
    if (next_ >= lines_.size()) throw RunTimeError(err::kInputPastEnd);
    return lines_[next_++];
  }

  // The text between the quotes; a line without quotes is taken as it stands.
  std::string String() {
    const std::string line = Trim(Next());
    if (line.empty() || line.front() != '"') return line;
    const std::size_t close = line.find('"', 1);
    return line.substr(1, close == std::string::npos ? std::string::npos : close - 1);
  }

  // A number must be the whole field; anything else is a type mismatch.
  double Number() {
    const std::string field = Trim(Next());
    if (!IsNumber(field)) throw RunTimeError(err::kTypeMismatch);
    return Val(field);
  }

  std::int16_t Integer() { return CInt(Number()); }
  std::int32_t Long() { return CLng(Number()); }

  float Single() {
    const double v = Number();
    if (!std::isfinite(v) || std::fabs(v) > std::numeric_limits<float>::max()) throw RunTimeError(err::kOverflow);
    return static_cast<float>(v);
  }

  bool Boolean() {
    const std::string field = UCase(Trim(Next()));
    if (field == "#TRUE#") return true;
    if (field == "#FALSE#") return false;
    throw RunTimeError(err::kTypeMismatch);
  }

 private:
  static bool IsNumber(std::string_view s) {
    std::size_t i = 0;
    auto digits = [&] {
      const std::size_t from = i;
      while (i < s.size() && s[i] >= '0' && s[i] <= '9') ++i;
      return i - from;
    };
    if (i < s.size() && (s[i] == '+' || s[i] == '-')) ++i;
    std::size_t count = digits();
    if (i < s.size() && s[i] == '.') {
      ++i;
      count += digits();
    }
    if (count == 0) return false;
    if (i < s.size() && (s[i] == 'E' || s[i] == 'e')) {
      ++i;
      if (i < s.size() && (s[i] == '+' || s[i] == '-')) ++i;
      if (digits() == 0) return false;
    }
    return i == s.size();
  }

  std::vector<std::string> lines_;
  std::size_t next_ = 0;
};

// Lines 2 to 32 into the record; the check texts are returned, not applied.
std::array<std::string, 12> ReadRecord(LineReader& in, Settings& s) {
  s.LogFileName = in.String();
  s.BaudIn = in.Long();
  s.ComPortIn = in.Integer();
  s.CustomComIn = in.Integer();
  s.PollingInterval = in.Integer();
  s.SpeedUnit = in.Integer();
  s.MaxRangeKmh = in.Integer();
  s.TimeZoneOffset = in.Integer();
  s.SmoothSpeedBar = in.Integer();
  s.ComPortOut = in.Integer();
  s.BaudOut = in.Long();
  s.MinGpsSpeedOut = in.Long();
  s.FluxCompassOffset = in.Integer();
  s.MinimalTop = in.Single();
  s.MinimalLeft = in.Single();
  s.ReservedInteger = in.Integer();
  s.ReservedLong = in.Long();
  std::array<std::string, 12> checks;
  for (std::string& c : checks) c = in.String();
  s.MinimalDisplay = in.Boolean();
  s.DecimalDegrees = in.Boolean();
  return checks;
}

}  // namespace

void LoadSettings(App& app) {
  const std::string& path = app.settings.CfgFileName;
  std::array<std::string, 12> checks;
  try {
    const std::optional<std::string> text = ReadTextFileIfAny(path, kMaxFileSize);
    if (!text) {
      DefaultSettings(app);
      return;
    }
    LineReader in(SplitLines(*text, kLines));
    if (in.String() != kTitle) {
      DefaultSettings(app);
      return;
    }
    checks = ReadRecord(in, app.settings);
  } catch (const RunTimeError& e) {
    FileReadError(app, e, path);
    DefaultSettings(app);
    return;
  }
  // A check is only ever set here: whatever is not "true" stays as it is.
  const auto items = CheckItems(app.form1);
  for (std::size_t i = 0; i < items.size(); ++i)
    if (LCase(checks[i]) == "true") items[i]->SetChecked(true);
}

void DefaultSettings(App& app) {
  Settings& s = app.settings;
  Form1& f = app.form1;
  // The record's own initial values are the defaults; only the paths differ.
  const std::string cfgFileName = s.CfgFileName;
  s = Settings{};
  s.CfgFileName = cfgFileName;
  s.LogFileName = app.platform.system.AppPath() + "/GpsData.log";
  f.mnuCrcCheck.SetChecked(true);
  for (MenuItem* m : {&f.mnuRMCPlainOut, &f.mnuRMCModifiedOut, &f.mnuRMCModifiedOut1, &f.mnuGPGGAOut,
                      &f.mnuPGRMZOut, &f.mnuAgreloInOut, &f.mnuHCHDTinp})
    m->SetChecked(false);
}

std::string SettingsFileText(App& app) {
  const Settings& s = app.settings;
  std::vector<std::string> lines = {
      Quoted(kTitle),
      Quoted(s.LogFileName),
      NumText(s.BaudIn),
      NumText(s.ComPortIn),
      NumText(s.CustomComIn),
      NumText(s.PollingInterval),
      NumText(s.SpeedUnit),
      NumText(s.MaxRangeKmh),
      NumText(s.TimeZoneOffset),
      NumText(s.SmoothSpeedBar),
      NumText(s.ComPortOut),
      NumText(s.BaudOut),
      NumText(s.MinGpsSpeedOut),
      NumText(s.FluxCompassOffset),
      NumText(s.MinimalTop),
      NumText(s.MinimalLeft),
      NumText(s.ReservedInteger),
      NumText(s.ReservedLong),
  };
  for (const MenuItem* m : CheckItems(app.form1)) lines.push_back(Quoted(m->Checked() ? "True" : "False"));
  lines.push_back(s.MinimalDisplay ? "#TRUE#" : "#FALSE#");
  lines.push_back(s.DecimalDegrees ? "#TRUE#" : "#FALSE#");
  std::string text;
  for (const std::string& line : lines) text += line + std::string(kCrLf);
  return text;
}

bool SaveSettings(App& app) {
  const std::string text = SettingsFileText(app);
  try {
    ReplaceFile(app.settings.CfgFileName, text);
    return true;
  } catch (const RunTimeError& e) {
    FileWriteError(app, e, app.settings.CfgFileName);
    return false;
  }
}

std::string BesideSettings(const App& app, const std::string& name) {
  const std::string& cfg = app.settings.CfgFileName;
  const std::size_t slash = cfg.rfind('/');
  return (slash == std::string::npos ? std::string() : cfg.substr(0, slash + 1)) + name;
}

}  // namespace koralin
