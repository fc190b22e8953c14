#include "serial/com_ports.h"

#include <cstdio>
#include <fstream>
#include <optional>
#include <vector>

#include "common/basic.h"
#include "common/error.h"

namespace koralin {

namespace {

std::string FileOf(const std::string& folder) { return folder + "/" + kComPortsFile; }

struct Entry {
  int port;
  std::string path;
};

// "3=/dev/ttyUSB0" with blanks allowed around both sides; anything else is
// not an entry (comments, empty lines) and is kept as it stands.
std::optional<Entry> ParseLine(std::string line) {
  if (!line.empty() && line.back() == '\r') line.pop_back();
  const std::size_t eq = line.find('=');
  if (eq == std::string::npos) return std::nullopt;
  const std::string number = Trim(line.substr(0, eq));
  if (number.empty() || number.size() > 3 || number.find_first_not_of("0123456789") != std::string::npos)
    return std::nullopt;
  std::string path = Trim(line.substr(eq + 1));
  if (path.empty()) return std::nullopt;
  return Entry{std::stoi(number), std::move(path)};
}

std::vector<std::string> ReadLines(const std::string& file) {
  std::vector<std::string> lines;
  std::ifstream in(file);
  for (std::string line; std::getline(in, line);) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    lines.push_back(std::move(line));
  }
  return lines;
}

}  // namespace

std::string DefaultDevicePath(int port) { return "/dev/ttyS" + std::to_string(port - 1); }

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
  std::vector<std::string> lines;
  bool placed = path.empty();
  for (std::string& line : ReadLines(file)) {
    const auto e = ParseLine(line);
    if (!e || e->port != port) {
      lines.push_back(std::move(line));
    } else if (!placed) {
      lines.push_back(std::to_string(port) + "=" + path);
      placed = true;
    }
  }
  if (!placed) lines.push_back(std::to_string(port) + "=" + path);

  const std::string temp = file + ".new";
  {
    std::ofstream out(temp, std::ios::binary | std::ios::trunc);
    for (const std::string& line : lines) out << line << '\n';
    out.flush();
    if (!out) {
      std::remove(temp.c_str());
      throw RunTimeError(err::kPathFileAccess, file + ": cannot be written");
    }
  }
  if (std::rename(temp.c_str(), file.c_str()) != 0) {
    std::remove(temp.c_str());
    throw RunTimeError(err::kPathFileAccess, file + ": cannot be replaced");
  }
}

}  // namespace koralin
