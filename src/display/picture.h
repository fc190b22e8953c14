// A drawing surface of the window model. Routines that draw build a display
// list in twips; the face paints it. The list is replaced as a whole, so the
// face repaints once per drawing.
#pragma once

#include <string>
#include <utility>
#include <vector>

#include "common/colours.h"
#include "display/controls.h"

namespace koralin {

enum class DrawKind { kLine, kCircle, kText, kPolyline };

struct DrawPoint {
  float x = 0, y = 0;
  bool operator==(const DrawPoint&) const = default;
};

// One drawing step. Coordinates and radii are in twips from the picture's
// top-left corner; line widths are in pixels.
struct DrawItem {
  DrawKind kind = DrawKind::kLine;
  Colour colour = colour::kBlack;  // line, outline or text colour
  int width = 1;
  float x1 = 0, y1 = 0;  // line start, circle centre, text top-left
  float x2 = 0, y2 = 0;  // line end
  std::vector<DrawPoint> points;  // polyline corners; closed when the last is the first
  bool dashed = false;   // lines and polylines
  float radius = 0;
  bool filled = false;  // circles: filled with `fill`
  Colour fill = colour::kBlack;
  std::string text;
  bool operator==(const DrawItem&) const = default;
};

class PictureBox : public Control {
 public:
  using Control::Control;
  Colour BackColor() const { return back_; }
  const std::vector<DrawItem>& Items() const { return items_; }
  // Inner size in twips (no border is drawn, so it equals the outer size).
  int ScaleWidth() const { return Bounds().width; }
  int ScaleHeight() const { return Bounds().height; }

  // Clears the picture to `back` and draws `items` on it.
  void SetDrawing(Colour back, std::vector<DrawItem> items) {
    if (back == back_ && items == items_) return;
    back_ = back;
    items_ = std::move(items);
    changed.Notify();
  }

 private:
  Colour back_ = colour::kButtonFace;
  std::vector<DrawItem> items_;
};

}  // namespace koralin
