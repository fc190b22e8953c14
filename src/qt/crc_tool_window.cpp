#include "qt/crc_tool_window.h"

#include <QCloseEvent>
#include <QFontDatabase>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "qt/bind.h"
#include "qt/text.h"

namespace koralin::qt {

CrcToolWindow::CrcToolWindow(Form4& model) : model_(model) {
  setObjectName("Form4");
  auto* label = new QLabel;
  label->setObjectName("Label1");
  auto* text = new QLineEdit;
  text->setObjectName("Text1");
  text->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
  text->setMinimumWidth(360);
  auto* button = new QPushButton;
  button->setObjectName("Command1");
  button->setDefault(true);

  auto* row = new QHBoxLayout;
  row->addWidget(text, 1);
  row->addWidget(button);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(label);
  layout->addLayout(row);

  auto syncLabel = [label, &model] { label->setText(ToQ(model.Label1.Caption())); };
  model.Label1.changed.Subscribe(syncLabel);
  syncLabel();
  Bind(text, model.Text1);
  Bind(button, model.Command1);
  connect(text, &QLineEdit::returnPressed, button, [&model] { model.Command1.Click(); });
  // Captions and visibility come from the model; the layout sizes the window.
  auto syncWindow = [this, &model] {
    setWindowTitle(ToQ(model.form.Caption()));
    if (isVisible() != model.form.Visible()) setVisible(model.form.Visible());
  };
  model.form.changed.Subscribe(syncWindow);
  syncWindow();
}

void CrcToolWindow::closeEvent(QCloseEvent* event) {
  event->ignore();
  model_.onQueryUnload.Notify();
}

}  // namespace koralin::qt
