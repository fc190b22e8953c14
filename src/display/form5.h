// The minimal display window: the main values as two columns of text and a
// button back to the main window. It is loaded only while it is in use.
#pragma once

#include "common/colours.h"
#include "display/controls.h"

namespace koralin {

struct Form5 {
  Form5();
  Form5(const Form5&) = delete;
  Form5& operator=(const Form5&) = delete;

  Window form{"Form5", "Koralin GPS Readout. "};
  Label Label1{"Label1"};  // row titles
  Label Label2{"Label2"};  // values, one per row
  CommandButton Command1{"Command1"};

  // Closed other than by its button: the program ends.
  Notifier onExit;

  bool loaded = false;
  bool closedByButton = false;
  bool unloading = false;

  Colour BackColor() const { return back_; }
  void SetBackColor(Colour c) {
    if (c == back_) return;
    back_ = c;
    form.changed.Notify();
  }

 private:
  Colour back_ = colour::kButtonFace;
};

}  // namespace koralin
