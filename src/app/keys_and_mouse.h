// The key and mouse shortcuts of the main window and its frame.
#pragma once

#include "display/keys.h"

namespace koralin {

struct App;

void Form1_KeyDown(App& app, int keyCode, int shift);
void Form1_DblClick(App& app);
void Frame1_DblClick(App& app);
void Frame1_MouseDown(App& app, int button, int shift, float x, float y);

}  // namespace koralin
