// Hooks the published items and the client link to the controls they serve.
#include "app/app.h"
#include "app/events.h"
#include "dde/client_link.h"
#include "dde/links.h"

namespace koralin {

void WireDde(App& app) {
  SetUpDdeSources(app);
  app.form1.mnuShowDDE.onClick.Subscribe(Guarded(app, mnuShowDDE_Click));
  app.form1.mnuDDEInfo.onClick.Subscribe(Guarded(app, mnuDDEInfo_Click));
  // Every new caption of a source label goes out on the bus.
  for (const DdeSource& s : app.dde.sources) {
    Label* label = s.label;
    const std::string item = s.linkItem;
    label->captionChanged.Subscribe(
        Guarded(app, [label, item](App& a) { a.platform.bus.Publish(item, label->Caption()); }));
  }
  PublishLinkItems(app);
}

}  // namespace koralin
