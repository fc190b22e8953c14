// ComPorts.cfg: read, assign one port, read again. The port opens the new
// device and every line of the other ports stays byte for byte.
#include <fuzzer/FuzzedDataProvider.h>

#include "serial/com_ports.h"
#include "support/fakes.h"
#include "support/files.h"

using namespace koralin;

namespace {

// The lines with their ends that give no device to port, in order; the last
// line gets a line end, as a rewrite that appends must give it one.
std::vector<std::string> OtherLines(std::string text, int port) {
  if (!text.empty() && text.back() != '\n') text += '\n';
  std::vector<std::string> lines;
  for (std::size_t from = 0, lf; from < text.size(); from = lf + 1) {
    lf = text.find('\n', from);
    std::string line = text.substr(from, lf + 1 - from);
    if (LinePort(line) != port) lines.push_back(std::move(line));
  }
  return lines;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static const std::string folder = test::ProcessFolder();
  const std::string file = folder + "/" + kComPortsFile;
  FuzzedDataProvider in(data, size);
  const int port = in.ConsumeIntegralInRange(1, kMaxComPort);
  const bool drop = in.ConsumeBool();
  const std::string before = in.ConsumeRemainingBytesAsString();
  test::WriteFile(file, before);
  const ComPortMap map = ReadComPorts(folder);
  SaveComPort(folder, port, drop ? "" : "/dev/ttyFUZZ");
  const ComPortMap after = ReadComPorts(folder);
  const std::string text = test::ReadFile(file);
  if (OtherLines(text, port) != OtherLines(before, port)) __builtin_trap();
  if (drop ? after.count(port) != 0 : after.at(port) != "/dev/ttyFUZZ") __builtin_trap();
  for (const auto& [n, path] : map)
    if (n != port && after.at(n) != path) __builtin_trap();
  return 0;
}
