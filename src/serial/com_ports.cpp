#include "serial/com_ports.h"

#include <optional>
#include <vector>

#include "common/text_file.h"
#include "common/basic.h"
#include "common/error.h"

namespace koralin {

namespace {

std::string FileOf(const std::string& folder) { return folder + "/" + kComPortsFile; }

struct Entry {
  int port;
  std::string path;
};

// Far beyond any real map; a bigger file is refused rather than cut, so a
// rewrite never drops its tail.
constexpr std::size_t kMaxFileSize = 1024 * 1024;

// The line without its line end.
std::string_view Content(std::string_view line) {
  while (!line.empty() && (line.back() == '\n' || line.back() == '\r')) line.remove_suffix(1);
  return line;
}

// "3=/dev/ttyUSB0" with blanks allowed around both sides; anything else is
// not an entry (comments, empty lines) and is kept as it stands.
std::optional<Entry> ParseLine(std::string_view raw) {
  const std::string line(Content(raw));
  const std::size_t eq = line.find('=');
  if (eq == std::string::npos) return std::nullopt;
  const std::string number = Trim(line.substr(0, eq));
  if (number.empty() || number.size() > 3 || number.find_first_not_of("0123456789") != std::string::npos)
    return std::nullopt;
  std::string path = Trim(line.substr(eq + 1));
  if (path.empty()) return std::nullopt;
  return Entry{std::stoi(number), std::move(path)};
}

// The lines with their own line ends (LF, CR LF or none on the last), so a
// rewrite gives every line back byte for byte. A missing file has none.
std::vector<std::string> ReadLines(const std::string& file) {
  const std::optional<std::string> any = ReadTextFileIfAny(file, kMaxFileSize + 1);
  if (!any) return {};
  const std::string& text = *any;
  if (text.size() > kMaxFileSize) throw RunTimeError(err::kPathFileAccess, file + ": too large for a port map");
  std::vector<std::string> lines;
  for (std::size_t from = 0; from < text.size();) {
    const std::size_t lf = text.find('\n', from);
    const std::size_t end = lf == std::string::npos ? text.size() : lf + 1;
    lines.push_back(text.substr(from, end - from));
    from = end;
  }
  return lines;
}

}  // namespace

std::vector<std::string> ComPortsLines(const std::string& settingsFolder) {
  std::vector<std::string> lines = ReadLines(FileOf(settingsFolder));
  for (std::string& line : lines) line.resize(Content(line).size());
  return lines;
}

std::string DefaultDevicePath(int port) { return "/dev/ttyS" + std::to_string(port - 1); }

int LinePort(std::string_view line) {
  const auto e = ParseLine(line);
  return e ? e->port : 0;
}

ComPortMap ReadComPorts(const std::string& settingsFolder) {
  ComPortMap map;
  for (const std::string& line : ReadLines(FileOf(settingsFolder)))
    if (auto e = ParseLine(line)) map.emplace(e->port, e->path);
  return map;
}

std::string DevicePath(const std::string& settingsFolder, int port) {
  const ComPortMap map = ReadComPorts(settingsFolder);
  const auto it = map.find(port);
  return it != map.end() ? it->second : DefaultDevicePath(port);
}

void SaveComPort(const std::string& settingsFolder, int port, const std::string& path) {
  if (port < 1 || port > kMaxComPort) throw RunTimeError(err::kInvalidPort, "Port numbers go from 1 to 31");
  const std::string file = FileOf(settingsFolder);
  std::vector<std::string> lines = ReadLines(file);
  const std::string lineEnd = lines.empty() || !lines[0].ends_with("\r\n") ? "\n" : "\r\n";
  const std::string entry = std::to_string(port) + "=" + path;
  bool placed = path.empty();
  std::string text;
  for (const std::string& line : lines) {
    const auto e = ParseLine(line);
    if (!e || e->port != port) {
      text += line;
    } else if (!placed) {
      // The first line of the number is the one that counts; it keeps its line end.
      text += entry + line.substr(Content(line).size());
      placed = true;
    }
  }
  if (!placed) {
    if (!text.empty() && text.back() != '\n') text += lineEnd;
    text += entry + lineEnd;
  }
  ReplaceFile(file, text);
}

}  // namespace koralin
