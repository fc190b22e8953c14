#include "qt/bind.h"

#include <QEvent>
#include <QMenu>
#include <QMouseEvent>
#include <memory>
#include <optional>

#include "qt/text.h"

namespace koralin::qt {

namespace {

// Turns mouse clicks on a label into the model's Click and DblClick.
class ClickForwarder : public QObject {
 public:
  ClickForwarder(QObject* parent, Label& model) : QObject(parent), model_(model) {}

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override {
    if (event->type() == QEvent::MouseButtonRelease) model_.Click();
    if (event->type() == QEvent::MouseButtonDblClick) model_.DblClick();
    return QObject::eventFilter(watched, event);
  }

 private:
  Label& model_;
};

QRect PxRect(const Rect& r) { return QRect(Px(r.left), Px(r.top), Px(r.width), Px(r.height)); }

void SyncCommon(QWidget* widget, const Control& model) {
  widget->setVisible(model.Visible());
  widget->setEnabled(model.Enabled());
  widget->setToolTip(ToQ(model.ToolTip()));
}

}  // namespace

void Bind(QLabel* widget, Label& model) {
  widget->setAutoFillBackground(true);
  widget->installEventFilter(new ClickForwarder(widget, model));
  auto sync = [widget, &model] {
    widget->setText(ToQ(model.Caption()));
    widget->setToolTip(ToQ(model.ToolTip()));
    widget->setVisible(model.Visible());
    widget->setEnabled(model.Enabled());
    QPalette p = widget->palette();
    p.setColor(QPalette::Window, ToQColor(model.BackColor()));
    p.setColor(QPalette::WindowText, ToQColor(model.ForeColor()));
    widget->setPalette(p);
  };
  model.changed.Subscribe(sync);
  sync();
}

void Bind(QAction* action, MenuItem& model) {
  QObject::connect(action, &QAction::triggered, action, [&model] { model.Click(); });
  auto sync = [action, &model] {
    action->setText(ToQ(model.Caption()));
    action->setCheckable(model.Checked());
    action->setChecked(model.Checked());
    action->setEnabled(model.Enabled());
    action->setVisible(model.Visible());
  };
  model.changed.Subscribe(sync);
  sync();
}

void Bind(QRadioButton* widget, OptionButton& model) {
  // The model decides which button is on; Qt's own exclusivity would let a
  // refused click show a choice the program did not make.
  widget->setAutoExclusive(false);
  auto sync = [widget, &model] {
    widget->setText(ToQ(model.Caption()));
    widget->setChecked(model.Value());
    widget->setEnabled(model.Enabled());
    widget->setVisible(model.Visible());
    widget->setToolTip(ToQ(model.ToolTip()));
  };
  QObject::connect(widget, &QRadioButton::clicked, widget, [&model, sync] {
    model.Click();
    sync();
  });
  model.changed.Subscribe(sync);
  sync();
}

void Bind(QListWidget* widget, ListBox& model) {
  auto sync = [widget, &model] {
    const auto& items = model.Items();
    bool same = widget->count() == static_cast<int>(items.size());
    for (int i = 0; same && i < widget->count(); ++i) same = widget->item(i)->text() == ToQ(items[static_cast<std::size_t>(i)]);
    if (!same) {
      const QSignalBlocker block(widget);
      widget->clear();
      for (const std::string& item : items) widget->addItem(ToQ(item));
    }
    if (widget->currentRow() != model.ListIndex()) {
      const QSignalBlocker block(widget);
      widget->setCurrentRow(model.ListIndex());
    }
    widget->setEnabled(model.Enabled());
    widget->setVisible(model.Visible());
    widget->setToolTip(ToQ(model.ToolTip()));
  };
  QObject::connect(widget, &QListWidget::itemClicked, widget, [widget, &model](QListWidgetItem* item) {
    model.SetListIndex(widget->row(item));
    model.Click();
  });
  model.changed.Subscribe(sync);
  sync();
}

void Bind(QGroupBox* widget, Frame& model) {
  auto sync = [widget, &model] {
    widget->setTitle(ToQ(model.Caption()));
    widget->setToolTip(ToQ(model.ToolTip()));
    widget->setStyleSheet(QString("QGroupBox::title { color: %1; text-decoration: %2; }")
                              .arg(ToQColor(model.ForeColor()).name(), model.FontUnderline() ? "underline" : "none"));
  };
  model.changed.Subscribe(sync);
  sync();
}

void BuildMenuBar(QMenuBar* bar, const std::vector<MenuItem*>& menus) {
  for (MenuItem* top : menus) {
    if (top->items.empty()) {
      Bind(bar->addAction(ToQ(top->Caption())), *top);
      continue;
    }
    QMenu* menu = bar->addMenu(ToQ(top->Caption()));
    for (MenuItem* item : top->items) {
      if (item->IsSeparator())
        menu->addSeparator();
      else
        Bind(menu->addAction(ToQ(item->Caption())), *item);
    }
  }
}

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
