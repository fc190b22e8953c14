#include "display/df_window.h"

#include "app/app.h"
#include "common/basic.h"
#include "display/df_picture.h"

namespace koralin {

void mnuDfWindow_Click(App& app) {
  app.display.dfForm.form.SetVisible(true);
  DrawDfWindow(app);
}

void DfWindow_QueryUnload(App& app) { app.display.dfForm.form.SetVisible(false); }

void DrawDfWindow(App& app) {
  DfForm& d = app.display.dfForm;
  if (!d.form.Visible()) return;
  const Rect& r = d.picture.Bounds();
  std::vector<DrawItem> items =
      DfPicture(app.hunt.hunt, app.hunt.rules, static_cast<float>(r.width), static_cast<float>(r.height));
  // Why the hunt file lags, at the foot of the texts' corner.
  if (!app.hunt.fileError.empty()) {
    DrawItem note;
    note.kind = DrawKind::kText;
    note.colour = colour::kRed;
    note.x1 = 100, note.y1 = 820;
    note.text = app.hunt.fileError;
    items.push_back(std::move(note));
  }
  // The team: its state, then each car in its lines' colour.
  const std::size_t first = items.size();
  const auto note = [&items, first](Colour c, std::string text) {
    DrawItem t;
    t.kind = DrawKind::kText;
    t.colour = c;
    t.x1 = 100, t.y1 = 1100 + 240 * static_cast<float>(items.size() - first);
    t.text = std::move(text);
    items.push_back(std::move(t));
  };
  if (!app.team.StateText().empty()) note(df_colour::kText, app.team.StateText());
  for (const auto& [name, car] : app.team.Cars())
    note(CarColour(name), name + (car.droppedOut ? ": dropped out, " : car.online ? ": online, " : ": offline, ") +
                              NumText(car.lines) + " lines");
  if (app.team.DroppedTotal() > 0) note(colour::kRed, NumText(app.team.DroppedTotal()) + " messages dropped");
  d.picture.SetDrawing(df_colour::kBack, std::move(items));
}

}  // namespace koralin
