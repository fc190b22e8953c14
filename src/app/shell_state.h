// The application shell: start-up, exit and the PC clock.
#pragma once

namespace koralin {

struct ShellState {};

}  // namespace koralin
