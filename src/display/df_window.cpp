#include "display/df_window.h"

#include "app/app.h"
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
  d.picture.SetDrawing(df_colour::kBack, std::move(items));
}

}  // namespace koralin
