// The built-in demo feed.
#pragma once

namespace koralin {

struct App;

void getDemoInput(App& app);

}  // namespace koralin
