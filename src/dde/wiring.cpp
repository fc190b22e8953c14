// Hooks the published items and the client link to the controls they serve.
#include "app/app.h"
#include "app/events.h"
#include "dde/client_link.h"
#include "dde/link_items.h"

namespace koralin {

void WireDde(App& app) {
  Form1& f = app.form1;
  for (const LinkItem& i : kLinkItems) {
    Label& label = f.*i.label;
    const std::string item = i.item;
    label.captionChanged.Subscribe(
        Guarded(app, [&label, item](App& a) { a.platform.bus.Publish(item, label.Caption()); }));
  }
  f.lblDDESound.captionChanged.Subscribe(Guarded(app, lblDDESound_Change));
  f.lblDDESound.onDblClick.Subscribe(Guarded(app, SendTestBearing));
  f.lblDoppler1.onDblClick.Subscribe(Guarded(app, SendTestBearing));
  f.mnuDDEInfo.onClick.Subscribe(Guarded(app, mnuDDEInfo_Click));
}

}  // namespace koralin
