// Keeps a widget showing its model control, and forwards the user's clicks.
#pragma once

#include <QAction>
#include <QGroupBox>
#include <QLabel>
#include <QListWidget>
#include <QMenuBar>
#include <QRadioButton>

#include "display/controls.h"

namespace koralin::qt {

void Bind(QLabel* widget, Label& model);
void Bind(QAction* action, MenuItem& model);
void Bind(QRadioButton* widget, OptionButton& model);
void Bind(QListWidget* widget, ListBox& model);
// A frame's title: caption, colour and underline.
void Bind(QGroupBox* widget, Frame& model);
// Builds the menu bar from the model's menu tree.
void BuildMenuBar(QMenuBar* bar, const std::vector<MenuItem*>& menus);

}  // namespace koralin::qt
