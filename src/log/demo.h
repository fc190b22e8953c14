// The built-in demo feed: a fixed cycle of sentences and bearing texts that
// stands in for a receiver, one step per polling tick.
#pragma once

namespace koralin {

struct App;

inline constexpr int kDemoSteps = 23;

// Puts the next step's texts into the poll texts; the intake decodes them.
void FillDemoInput(App& app);

}  // namespace koralin
