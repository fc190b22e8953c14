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
