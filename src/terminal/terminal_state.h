// The terminal windows, the checksum tool and the information boxes.
#pragma once

namespace koralin {

struct TerminalState {};

}  // namespace koralin
