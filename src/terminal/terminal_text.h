// The stored text of a terminal and what it shows: pure text work, kept
// apart from the windows so that the rules can be checked on their own.
#pragma once

#include <string>
#include <string_view>

namespace koralin {

inline constexpr std::size_t kTerminalTextMax = 4500;
// The text that redraws a terminal without adding anything.
inline constexpr std::string_view kShowAgain = "Show Again";

enum class TerminalKind { kOut = 0, kIn = 1 };

// Keeps the last 4500 characters; Terminal Out then starts just after the
// first "$" of what is kept, so its history begins with a sentence.
void CapTerminalText(std::string& stored, TerminalKind kind);

// The lines of the stored text, newest first, empty lines left out, each
// followed by CR LF. Terminal In breaks lines at CR (CR LF counting once),
// Terminal Out at CR LF.
std::string TerminalDisplayText(std::string_view stored, TerminalKind kind);

}  // namespace koralin
