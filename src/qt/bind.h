// Keeps a widget showing its model control, and forwards the user's clicks.
#pragma once

#include <QAction>
#include <QLabel>
#include <QMenuBar>

#include "display/controls.h"

namespace koralin::qt {

void Bind(QLabel* widget, Label& model);
void Bind(QAction* action, MenuItem& model);
// Builds the menu bar from the model's menu tree.
void BuildMenuBar(QMenuBar* bar, const std::vector<MenuItem*>& menus);

}  // namespace koralin::qt
