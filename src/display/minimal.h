// The minimal display window.
#pragma once

#include "common/colours.h"

namespace koralin {

struct App;

void mnuMinimalDisplay_Click(App& app);
// The fore colour of the minimal display's values (blue after an input
// failure), loading the window when needed.
void SetMinimalValuesColour(App& app, Colour colour);

// Loads the minimal display window unless it is loaded (not shown yet).
void LoadForm5(App& app);
// Unloads it: its closing step runs, then it is hidden and dropped.
void UnloadForm5(App& app);

// The handlers of the minimal display window.
void Form5_Load(App& app);
void Form5_Command1_Click(App& app);
void Form5_KeyDown(App& app, int keyCode, int shift);
void Form5_QueryUnload(App& app);

}  // namespace koralin
