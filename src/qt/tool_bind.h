// Keeps the widgets of the terminal and tool windows showing their model
// controls, and forwards the user's input to the model.
#pragma once

#include <QCheckBox>
#include <QLineEdit>
#include <QPushButton>
#include <QWidget>

#include "display/controls.h"

namespace koralin::qt {

void Bind(QCheckBox* widget, CheckBox& model);
void Bind(QPushButton* widget, CommandButton& model);
// Typing goes into the model; the model's selection is shown when it changes.
void Bind(QLineEdit* widget, TextBox& model);
// A child widget placed where its model control's bounds say.
void Place(QWidget* widget, Control& model);
// A top-level window: caption, place and size (at least minSize), shown or
// hidden as the model says.
void BindWindow(QWidget* widget, Window& model, QSize minSize);

}  // namespace koralin::qt
