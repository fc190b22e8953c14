// Keeps each widget showing its model control, and forwards the user's
// input to the model: one Bind per kind of control, for every window.
#pragma once

#include <QAction>
#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenuBar>
#include <QPushButton>
#include <QRadioButton>
#include <QWidget>
#include <functional>

#include "display/controls.h"

namespace koralin::qt {

void Bind(QLabel* widget, Label& model);
void Bind(QAction* action, MenuItem& model);
void Bind(QRadioButton* widget, OptionButton& model);
void Bind(QListWidget* widget, ListBox& model);
void Bind(QCheckBox* widget, CheckBox& model);
void Bind(QPushButton* widget, CommandButton& model);
// Typing goes into the model; the model's selection is shown when it changes.
void Bind(QLineEdit* widget, TextBox& model);
// Builds the menu bar from the model's menu tree.
void BuildMenuBar(QMenuBar* bar, const std::vector<MenuItem*>& menus);
// A child widget placed where its model control's bounds say.
void Place(QWidget* widget, Control& model);
// The window manager puts its frame round a window a little after the window
// is shown, and Qt sends no event for it: `check` runs a few times in the
// first seconds after each show (later on a busy machine).
void AfterShow(QWidget* window, const std::function<void()>& check);
// A top-level window: caption, place and outer size (its inner area at least
// minSize), shown or hidden as the model says.
void BindWindow(QWidget* widget, Window& model, QSize minSize);

}  // namespace koralin::qt
