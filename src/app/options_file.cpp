#include "app/options_file.h"

#include <string_view>
#include <vector>

#include "app/app.h"
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
};

// An option that is a menu check: "1" checked, "0" not.
template <MenuItem Form1::*item> constexpr Option Check(std::string_view key, bool byDefault) {
  return {key, byDefault ? "1" : "0", [](const App& a) { return std::string((a.form1.*item).Checked() ? "1" : "0"); },
          [](App& a, std::string_view v) {
            if (v == "1" || v == "0") (a.form1.*item).SetChecked(v == "1");
          }};
}

// An option without a menu entry: "1" on, "0" off.
template <bool Settings::*flag> constexpr Option Flag(std::string_view key, bool byDefault) {
  return {key, byDefault ? "1" : "0", [](const App& a) { return std::string(a.settings.*flag ? "1" : "0"); },
          [](App& a, std::string_view v) {
            if (v == "1" || v == "0") a.settings.*flag = v == "1";
          }};
}

// Every option, one line each.
constexpr Option kOptions[] = {
    Check<&Form1::mnuAnyTalker>("AnyTalker", true),
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

std::string OptionsFileName(const App& app) {
  const std::string& cfg = app.settings.CfgFileName;
  const std::size_t slash = cfg.rfind('/');
  return (slash == std::string::npos ? std::string() : cfg.substr(0, slash + 1)) + "Options.cfg";
}

void LoadOptions(App& app) {
  for (const Option& o : kOptions) o.set(app, o.byDefault);
  std::optional<std::string> text = ReadSmallFile(OptionsFileName(app), kMaxFileSize);
  // A binary file is not ours to keep; it is written afresh at exit.
  app.shell.OptionsText = text && text->find('\0') == std::string::npos ? std::move(*text) : std::string();
  std::string value;
  for (const std::string& line : SplitLines(app.shell.OptionsText))
    if (const Option* o = OptionOf(line, value)) o->set(app, value);
}

std::string OptionsFileText(App& app) {
  std::vector<std::string> lines = SplitLines(app.shell.OptionsText);
  std::vector<const Option*> missing;
  for (const Option& o : kOptions) missing.push_back(&o);
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
