#include "terminal/crc_tool.h"

#include "app/app.h"
#include "common/basic.h"

namespace koralin {

namespace {

// Switches a SiRF receiver back to NMEA at 4800 baud.
constexpr const char* kSirfToNmea = "$PSRF100,1,4800,8,1,0*";

void UnloadForm4(App& app) {
  Form4& w = app.terminal.form4;
  w.form.SetVisible(false);
  w.loaded = false;
}

}  // namespace

std::string AddCrcToText(std::string_view text) {
  if (text.size() < 8) return {};
  std::string s = Trim(text);
  const std::size_t star = InStr(s, "*");
  if (star > 0)
    s.resize(star);
  else
    s += '*';
  if (InStr(s, "$") == 0) s.insert(0, "$");
  const std::size_t d = InStr(s, "$");
  const std::size_t a = InStr(d + 5, s, "*");
  if (a == 0) return std::string(text);
  const std::string body = Mid(s, d + 1, a - d - 1);
  unsigned x = 0;
  for (char c : body) x ^= static_cast<unsigned char>(c);
  std::string hex = Hex(x);
  if (hex.size() == 1) hex.insert(0, "0");
  return "$" + body + "*" + hex;
}

void mnuCreateGPstrings_Click(App& app) {
  MenuItem& m = app.form1.mnuCreateGPstrings;
  m.SetChecked(!m.Checked());
  if (!m.Checked()) {
    UnloadForm4(app);
    return;
  }
  if (!app.terminal.form4.loaded) Form4_Load(app);
  app.terminal.form4.form.SetVisible(true);
}

void Form4_Load(App& app) {
  Form4& w = app.terminal.form4;
  w.loaded = true;
  w.form.SetCaption(kTitle);
  w.Text1.SetText(kSirfToNmea);
  w.Label1.SetCaption("CRC add tool for NMEA" + std::string(kCrLf) + "For reset GPS to NMEA etc.");
  w.Command1.SetCaption("&Add Crc");
  w.Command1.SetToolTip("Start with a $ and end with a *");
  Form4_Command1_Click(app);
}

void Form4_Command1_Click(App& app) {
  TextBox& t = app.terminal.form4.Text1;
  t.SetText(AddCrcToText(t.Text()));
  // Selected whole, ready to be copied.
  t.Select(0, static_cast<int>(t.Text().size()));
}

void Form4_QueryUnload(App& app) {
  app.form1.mnuCreateGPstrings.SetChecked(false);
  UnloadForm4(app);
}

}  // namespace koralin
