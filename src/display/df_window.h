// The DF window: the hunt drawn from above, beside the main window.
#pragma once

#include "display/controls.h"
#include "display/picture.h"

namespace koralin {

struct App;

struct DfForm {
  Window form{"FormDf", "DF window"};
  PictureBox picture{"picDf"};
  Notifier onQueryUnload;  // the close box
  Notifier onResize;       // the face gave the picture a new size
};

// "DF window": shows the window with the hunt as it stands.
void mnuDfWindow_Click(App& app);
void DfWindow_QueryUnload(App& app);
// Draws the hunt into the picture while the window is shown.
void DrawDfWindow(App& app);

}  // namespace koralin
