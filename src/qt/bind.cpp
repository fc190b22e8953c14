#include "qt/bind.h"

#include <QEvent>
#include <QMenu>
#include <QMouseEvent>

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

}  // namespace koralin::qt
