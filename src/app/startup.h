// Start-up of the main window.
#pragma once

namespace koralin {

struct App;

void Form1_Load(App& app);

}  // namespace koralin
