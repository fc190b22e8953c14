#include "display/dialogs.h"

#include "app/app.h"

namespace koralin {

MsgResult MsgBox(App& app, std::string prompt, std::string title, MsgIcon icon, MsgButtons buttons,
                 int defaultButton) {
  MessageBox box;
  box.prompt = std::move(prompt);
  box.title = std::move(title);
  box.buttons = buttons;
  box.icon = icon;
  box.defaultButton = defaultButton;
  return app.platform.dialogs.MsgBox(box);
}

void TableBox(App& app, std::string prompt, std::string title) {
  MessageBox box;
  box.prompt = std::move(prompt);
  box.title = std::move(title);
  box.icon = MsgIcon::kInformation;
  box.fixedPitch = true;
  app.platform.dialogs.MsgBox(box);
}

}  // namespace koralin
