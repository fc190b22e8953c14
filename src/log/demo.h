// The built-in demo feed: a fixed cycle of sentences and bearing texts that
// stands in for a receiver, one step per polling tick.
#pragma once

namespace koralin {

struct App;

inline constexpr int kDemoSteps = 23;

// Puts the next step's texts into the poll texts, without decoding them.
void FillDemoInput(App& app);
// Produces the next step and runs every decoder over it.
void getDemoInput(App& app);

}  // namespace koralin
