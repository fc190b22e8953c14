// The published-value sources of the main window.
#pragma once

namespace koralin {

struct App;

void DDElinks(App& app);

}  // namespace koralin
