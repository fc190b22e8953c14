#include "app/options_file.h"

#include <algorithm>
#include <string_view>
#include <vector>

#include "app/app.h"
#include "app/settings_file.h"
#include "display/file_errors.h"
#include "common/text_file.h"
#include "common/basic.h"

namespace koralin {

namespace {

// A real file is a few lines; anything larger is not one of ours.
constexpr std::size_t kMaxFileSize = 64 * 1024;

struct Option {
  std::string_view key;
  std::string_view byDefault;
  std::string (*get)(const App&);
  void (*set)(App&, std::string_view value);  // ignores a value it does not know
  // Written even when the file has no line for it; an option no menu
  // changes is only kept where the user wrote it.
  bool always = true;
};

// An option that is a menu check: "1" checked, "0" not.
template <MenuItem Form1::*item> constexpr Option Check(std::string_view key, bool byDefault) {
  return {key, byDefault ? "1" : "0", [](const App& a) { return std::string((a.form1.*item).Checked() ? "1" : "0"); },
          [](App& a, std::string_view v) {
            if (v == "1" || v == "0") (a.form1.*item).SetChecked(v == "1");
          },
          true};
}

// A whole number within [low, high], set only in the file; other values
// are ignored.
template <auto get, auto put, long low, long high> constexpr Option Whole(std::string_view key, std::string_view byDefault) {
  return {key, byDefault, [](const App& a) { return NumText(static_cast<long long>(get(a))); },
          [](App& a, std::string_view v) {
            if (v.empty() || v.size() > 9 || v.find_first_not_of("0123456789") != std::string_view::npos) return;
            const long n = static_cast<long>(Val(v));
            if (n >= low && n <= high) put(a, n);
          },
          false};
}

// An option without a menu entry: "1" on, "0" off.
template <bool Settings::*flag> constexpr Option Flag(std::string_view key, bool byDefault) {
  return {key, byDefault ? "1" : "0", [](const App& a) { return std::string(a.settings.*flag ? "1" : "0"); },
          [](App& a, std::string_view v) {
            if (v == "1" || v == "0") a.settings.*flag = v == "1";
          }};
}

// A text option of the team hunt, kept only where the user wrote it.
template <std::string TeamOptions::*field> constexpr Option TeamText(std::string_view key) {
  return {key, "", [](const App& a) { return a.teamOptions.*field; },
          [](App& a, std::string_view v) { a.teamOptions.*field = std::string(v); }, false};
}

// Every option, one line each.
constexpr Option kOptions[] = {
    Check<&Form1::mnuAnyTalker>("AnyTalker", true),
    Whole<[](const App& a) { return static_cast<long>(a.serial.ListenClients); },
          [](App& a, long n) { a.serial.ListenClients = static_cast<int>(n); }, 1, 256>("ListenClients", "16"),
    // The DF estimate leaves out lines below this quality digit...
    Whole<[](const App& a) { return static_cast<long>(a.hunt.rules.minQuality); },
          [](App& a, long n) { a.hunt.rules.minQuality = static_cast<int>(n); }, 0, 9>("DfMinQuality", "0"),
    // ...and lines this many minutes older than the newest; 0 keeps them all.
    Whole<[](const App& a) { return static_cast<long>(a.hunt.rules.maxAgeSeconds / 60); },
          [](App& a, long n) { a.hunt.rules.maxAgeSeconds = n * 60.0; }, 0, 100000>("DfMaxAgeMinutes", "0"),
    // 1 sends the estimate as "$GPWPL" on the output port.
    Whole<[](const App& a) { return static_cast<long>(a.hunt.waypointOut); },
          [](App& a, long n) { a.hunt.waypointOut = n == 1; }, 0, 1>("DfWaypointOut", "0"),
    // The team hunt: off while TeamBroker is empty. The password is read
    // from its own file, so this file can be shown to anyone.
    TeamText<&TeamOptions::broker>("TeamBroker"),
    TeamText<&TeamOptions::caFile>("TeamCaFile"),
    TeamText<&TeamOptions::user>("TeamUser"),
    TeamText<&TeamOptions::passwordFile>("TeamPasswordFile"),
    TeamText<&TeamOptions::hunt>("TeamHunt"),
    TeamText<&TeamOptions::car>("TeamCar"),
    Flag<&Settings::CrcAnyCase>("CrcAnyCase", true),
    Flag<&Settings::FixWithoutRmc>("FixWithoutRmc", true),
};

// The option a "key=value" line sets, with its value; none for other lines.
const Option* OptionOf(const std::string& line, std::string& value) {
  const std::size_t eq = line.find('=');
  if (eq == std::string::npos) return nullptr;
  const std::string key = Trim(line.substr(0, eq));
  for (const Option& o : kOptions)
    if (key == o.key) {
      value = Trim(line.substr(eq + 1));
      return &o;
    }
  return nullptr;
}

}  // namespace

std::string OptionsFileName(const App& app) { return BesideSettings(app, "Options.cfg"); }

void LoadOptions(App& app) {
  for (const Option& o : kOptions) o.set(app, o.byDefault);
  const std::string path = OptionsFileName(app);
  std::optional<std::string> text;
  try {
    text = ReadTextFileIfAny(path, kMaxFileSize + 1);
  } catch (const RunTimeError& e) {
    // Not ours to replace (a folder, a FIFO, a device, a file we may not
    // read): told once, and left as it stands.
    FileReadError(app, e, path);
    app.shell.OptionsRefused = true;
    return;
  }
  // A binary or oversized file is not ours to keep; it is written afresh at exit.
  const bool damaged = !text || text->size() > kMaxFileSize || text->find('\0') != std::string::npos;
  app.shell.OptionsText = damaged ? std::string() : std::move(*text);
  std::string value;
  for (const std::string& line : SplitLines(app.shell.OptionsText))
    if (const Option* o = OptionOf(line, value)) o->set(app, value);
}

void KeepOption(App& app, std::string_view key) {
  std::string value;
  for (const std::string& line : SplitLines(app.shell.OptionsText))
    if (const Option* o = OptionOf(line, value); o && o->key == key) return;
  std::string& text = app.shell.OptionsText;
  if (!text.empty() && text.back() != '\n') text += '\n';
  text += std::string(key) + "=\n";
}

std::string OptionsFileText(App& app) {
  std::vector<std::string> lines = SplitLines(app.shell.OptionsText);
  std::vector<const Option*> missing;
  for (const Option& o : kOptions)
    if (o.always) missing.push_back(&o);
  std::string value;
  for (std::string& line : lines)
    if (const Option* o = OptionOf(line, value)) {
      line = std::string(o->key) + "=" + o->get(app);
      std::erase(missing, o);
    }
  for (const Option* o : missing) lines.push_back(std::string(o->key) + "=" + o->get(app));
  std::string text;
  for (const std::string& line : lines) text += line + "\n";
  return text;
}

void SaveOptions(App& app, bool report) {
  if (app.shell.OptionsRefused) return;
  const std::string text = OptionsFileText(app);
  if (text == app.shell.OptionsText) return;
  const std::string path = OptionsFileName(app);
  try {
    ReplaceFile(path, text);
  } catch (const RunTimeError& e) {
    if (report) FileWriteError(app, e, path);
  }
}

}  // namespace koralin
