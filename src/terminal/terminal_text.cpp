#include "terminal/terminal_text.h"

#include <vector>

#include "common/basic.h"

namespace koralin {

namespace {

std::vector<std::string_view> SplitAt(std::string_view s, std::string_view sep) {
  std::vector<std::string_view> lines;
  for (;;) {
    const std::size_t at = s.find(sep);
    lines.push_back(s.substr(0, at));
    if (at == std::string_view::npos) return lines;
    s.remove_prefix(at + sep.size());
  }
}

}  // namespace

void CapTerminalText(std::string& stored, TerminalKind kind) {
  if (stored.size() <= kTerminalTextMax) return;
  stored.erase(0, stored.size() - kTerminalTextMax);
  if (kind != TerminalKind::kOut) return;
  const std::size_t dollar = stored.find('$');
  if (dollar != std::string::npos) stored.erase(0, dollar + 1);
}

std::string TerminalDisplayText(std::string_view stored, TerminalKind kind) {
  std::string in;
  if (kind == TerminalKind::kIn) {
    in = Replace(stored, kCrLf, "\r");
    stored = in;
  }
  const auto lines = SplitAt(stored, kind == TerminalKind::kIn ? std::string_view("\r") : kCrLf);
  std::string shown;
  shown.reserve(stored.size() + 2);
  for (auto it = lines.rbegin(); it != lines.rend(); ++it) {
    if (it->empty()) continue;
    shown += *it;
    shown += kCrLf;
  }
  return shown;
}

}  // namespace koralin
