#include "app/settings_file.h"

#include <gtest/gtest.h>

#include <vector>

#include "common/basic.h"
#include "support/fakes.h"
#include "support/files.h"

namespace koralin {
namespace {

using test::ReadFile;
using test::WriteFile;

const std::string kTitle = "Koralin GPS Readout. Version 1.21";

// A program on fakes whose settings live in a fresh folder.
struct SettingsRig : test::TestRig {
  SettingsRig() {
    system.appPath = folder.path();
    app.settings.CfgFileName = folder / "Gps.cfg";
  }
  std::string CfgPath() const { return app.settings.CfgFileName; }
  test::TempFolder folder;
};

// The text's lines, each ended by CR LF.
std::vector<std::string> Lines(const std::string& text) {
  std::vector<std::string> lines;
  for (std::size_t start = 0, end; (end = text.find("\r\n", start)) != std::string::npos; start = end + 2)
    lines.push_back(text.substr(start, end - start));
  return lines;
}

// Writes the default file with line n (1-based) replaced, and its first `count` lines only;
// BaudOut (line 12) is 9600.
void WriteDefaultFileWith(SettingsRig& rig, int n, const std::string& line, std::size_t count = 32) {
  DefaultSettings(rig.app);
  auto lines = Lines(SettingsFileText(rig.app));
  lines[11] = "9600";
  lines[static_cast<std::size_t>(n - 1)] = line;
  lines.resize(count);
  std::string text;
  for (const auto& l : lines) text += l + "\r\n";
  WriteFile(rig.CfgPath(), text);
}

TEST(SettingsFile, LoadThenSaveReproducesEveryField) {
  // Every field differs from its default, so a field read or written wrong changes the text.
  const std::string head = "\"" + kTitle + "\"\r\n\"/home/fox/logs/hunt 3.log\"\r\n38400\r\n-2\r\n31\r\n50\r\n1\r\n" +
                           "32767\r\n-12\r\n1\r\n-1\r\n115200\r\n2147483647\r\n-180\r\n1234.5\r\n-.25\r\n-32768\r\n" +
                           "-2147483648\r\n";
  for (std::size_t pattern = 0; pattern < 2; ++pattern) {  // every second item checked, then the opposite
    std::string text = head;
    for (std::size_t i = 0; i < 12; ++i) text += (i + pattern) % 2 == 0 ? "\"True\"\r\n" : "\"False\"\r\n";
    text += "#TRUE#\r\n#TRUE#\r\n";
    SettingsRig rig;
    WriteFile(rig.CfgPath(), text);
    LoadSettings(rig.app);
    EXPECT_TRUE(rig.dialogs.boxes.empty());
    EXPECT_EQ(rig.app.settings.MinimalTop, 1234.5f);
    EXPECT_EQ(rig.app.settings.ComPortIn, -2);
    EXPECT_EQ(rig.app.form1.mnuFeet2Metres.Checked(), pattern == 0);
    SaveSettings(rig.app);
    EXPECT_EQ(ReadFile(rig.CfgPath()), text);
  }
}

TEST(SettingsFile, AFileCutShortOrAFolderIsAReadErrorThenDefaults) {
  for (const bool folder : {false, true}) {
    SettingsRig rig;
    if (folder) std::filesystem::create_directory(rig.CfgPath());
    if (!folder) WriteDefaultFileWith(rig, 23, "\"True\"", 20);
    rig.app.settings.BaudIn = 4800;
    Form1& f = rig.app.form1;
    MenuItem* const kept[] = {&f.mnuFeet2Metres, &f.mnuLockCheck, &f.mnuReflines, &f.mnuHCHDTout};  // defaults leave these
    for (MenuItem* m : {&f.mnuRMCPlainOut, kept[0], kept[1], kept[2], kept[3]}) m->SetChecked(true);
    LoadSettings(rig.app);
    for (MenuItem* m : kept) EXPECT_TRUE(m->Checked()) << m->Name();
    ASSERT_EQ(rig.dialogs.boxes.size(), 1u);
    const std::string head = "File Read Error " + rig.CfgPath() + "\r\n\r\nError = ";
    EXPECT_EQ(rig.dialogs.boxes[0].prompt.substr(0, head.size() + 2), head + (folder ? "75" : "62"));
    if (!folder) { EXPECT_EQ(rig.dialogs.boxes[0].prompt, head + "62\r\n\r\nInput past end of file"); }
    EXPECT_EQ(rig.app.settings.BaudIn, 0);
    EXPECT_TRUE(!f.mnuRMCPlainOut.Checked() && f.mnuCrcCheck.Checked());
  }
}

// Each field read from the file, then written again (error 0), or refused.
TEST(SettingsFile, FieldsAreReadByTheirTypeOrRefused) {
  const struct { int line; const char* text; long error; const char* written; } cases[] = {
      {4, "abc", 13, ""},           {4, "12abc", 13, ""},         {4, "", 13, ""},
      {4, "40000", 6, ""},          {3, "3000000000", 6, ""},     {15, "1e999", 6, ""},
      {15, "x1", 13, ""},         {15, "3.5e38", 6, ""},      {15, "-3.5e38", 6, ""},           {31, "#YES#", 13, ""},        {32, "True", 13, ""},
      {6, "- 5", 13, ""},           {9, "  +2 ", 0, "2"},         {6, "100.5", 0, "100"},
      {32, "#true#", 0, "#TRUE#"},  {15, "1234.5", 0, "1234.5"},  {15, "0.25", 0, ".25"},
      {15, "-15", 0, "-15"},        {15, "7200.0", 0, "7200"},    {23, "\"True\"", 0, "\"True\""},
      {23, "\"tRuE\"", 0, "\"True\""}, {23, "True", 0, "\"True\""},   {23, "\"yes\"", 0, "\"False\""},
      {23, "\"1\"", 0, "\"False\""},   {23, "\"True \"", 0, "\"False\""},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(std::to_string(c.line) + " " + c.text);
    SettingsRig rig;
    WriteDefaultFileWith(rig, c.line, c.text);
    LoadSettings(rig.app);
    if (c.error == 0) {
      EXPECT_TRUE(rig.dialogs.boxes.empty());
      EXPECT_EQ(Lines(SettingsFileText(rig.app))[static_cast<std::size_t>(c.line - 1)], c.written);
      continue;
    }
    ASSERT_EQ(rig.dialogs.boxes.size(), 1u);
    EXPECT_NE(rig.dialogs.boxes[0].prompt.find("Error =" + Str(c.error) + "\r\n"), std::string::npos)
        << rig.dialogs.boxes[0].prompt;
    EXPECT_EQ(rig.app.settings.BaudOut, 4800) << "defaults after the error";
  }
  SettingsRig rig;  // loading never unchecks an item
  WriteDefaultFileWith(rig, 23, "\"False\"");
  rig.app.form1.mnuRMCPlainOut.SetChecked(true);
  LoadSettings(rig.app);
  EXPECT_TRUE(rig.app.form1.mnuRMCPlainOut.Checked());
}

}  // namespace
}  // namespace koralin
