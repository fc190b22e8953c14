// ComPorts.cfg: read, assign one port, read again. The port opens the new
// device and every line of the other ports stays byte for byte.
#include <fuzzer/FuzzedDataProvider.h>

#include <algorithm>

#include "serial/com_ports.h"
#include "support/fakes.h"
#include "support/files.h"

using namespace koralin;

namespace {

// The lines with their ends that give no device to port, in order.
std::vector<std::string> OtherLines(const std::string& text, int port) {
  std::vector<std::string> lines;
  for (std::size_t from = 0, lf; from < text.size(); from = lf + 1) {
    lf = std::min(text.find('\n', from), text.size() - 1);
    std::string line = text.substr(from, lf + 1 - from);
    if (LinePort(line) != port) lines.push_back(std::move(line));
  }
  return lines;
}

// Every other line kept byte for byte; an unterminated last line may have
// been given a line end, when a line was added after it.
bool Kept(const std::vector<std::string>& before, std::vector<std::string> after) {
  if (before.size() != after.size()) return false;
  if (!before.empty() && before.back().back() != '\n' && after.back() != before.back())
    for (const char* end : {"\r\n", "\n"})
      if (after.back() == before.back() + end) after.back() = before.back();
  return before == after;
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
  SaveComPort(folder, port, drop ? "" : "/dev/ttyFUZZ");  // a refusal (RunTimeError) is a finding too
  const ComPortMap after = ReadComPorts(folder);
  const std::string text = test::ReadFile(file);
  if (!Kept(OtherLines(before, port), OtherLines(text, port))) __builtin_trap();
  if (drop ? after.count(port) != 0 : after.at(port) != "/dev/ttyFUZZ") __builtin_trap();
  for (const auto& [n, path] : map)
    if (n != port && after.at(n) != path) __builtin_trap();
  return 0;
}
