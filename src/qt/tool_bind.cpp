#include "qt/tool_bind.h"

#include <memory>
#include <optional>

#include "qt/text.h"

namespace koralin::qt {

namespace {

QRect PxRect(const Rect& r) { return QRect(Px(r.left), Px(r.top), Px(r.width), Px(r.height)); }

void SyncCommon(QWidget* widget, const Control& model) {
  widget->setVisible(model.Visible());
  widget->setEnabled(model.Enabled());
  widget->setToolTip(ToQ(model.ToolTip()));
}

}  // namespace

void Bind(QCheckBox* widget, CheckBox& model) {
  // The model decides the new state; the box only reports the click.
  QObject::connect(widget, &QCheckBox::clicked, widget, [widget, &model] {
    widget->setChecked(model.Value() != 0);
    model.Click();
  });
  auto sync = [widget, &model] {
    widget->setText(ToQ(model.Caption()));
    widget->setChecked(model.Value() != 0);
    SyncCommon(widget, model);
  };
  model.changed.Subscribe(sync);
  sync();
}

void Bind(QPushButton* widget, CommandButton& model) {
  QObject::connect(widget, &QPushButton::clicked, widget, [&model] { model.Click(); });
  auto sync = [widget, &model] {
    widget->setText(ToQ(model.Caption()));
    SyncCommon(widget, model);
  };
  model.changed.Subscribe(sync);
  sync();
}

void Bind(QLineEdit* widget, TextBox& model) {
  QObject::connect(widget, &QLineEdit::textEdited, widget, [&model](const QString& t) { model.SetText(FromQ(t)); });
  auto shownSelection = std::make_shared<std::pair<int, int>>(-1, -1);
  auto sync = [widget, &model, shownSelection] {
    const QString text = ToQ(model.Text());
    if (widget->text() != text) widget->setText(text);
    const std::pair<int, int> selection{model.SelStart(), model.SelLength()};
    if (selection != *shownSelection) {
      *shownSelection = selection;
      widget->setSelection(selection.first, selection.second);
    }
    SyncCommon(widget, model);
  };
  model.changed.Subscribe(sync);
  sync();
}

void Place(QWidget* widget, Control& model) {
  auto sync = [widget, &model] {
    if (model.Bounds().width > 0) widget->setGeometry(PxRect(model.Bounds()));
  };
  model.changed.Subscribe(sync);
  sync();
}

void BindWindow(QWidget* widget, Window& model, QSize minSize) {
  // A new place from the model, or showing the window, moves it; the user's
  // own moves and resizes stand otherwise.
  auto placed = std::make_shared<std::optional<Rect>>();
  auto sync = [widget, &model, minSize, placed] {
    widget->setWindowTitle(ToQ(model.Caption()));
    const bool showing = model.Visible() && !widget->isVisible();
    if (showing || *placed != model.Bounds()) {
      *placed = model.Bounds();
      const QRect r = PxRect(model.Bounds());
      widget->move(r.topLeft());
      widget->resize(std::max(r.width(), minSize.width()), std::max(r.height(), minSize.height()));
    }
    if (widget->isVisible() != model.Visible()) widget->setVisible(model.Visible());
  };
  model.changed.Subscribe(sync);
  sync();
}

}  // namespace koralin::qt
