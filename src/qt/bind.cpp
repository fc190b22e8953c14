#include "qt/bind.h"

#include <QEvent>
#include <QMenu>
#include <QMouseEvent>
#include <QTimer>
#include <memory>
#include <optional>

#include "common/basic.h"
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
  // What the widget shows now: a change of one property touches only that
  // property, and a change of nothing it shows touches nothing, so a caption
  // rewritten with the same text neither lays out nor repaints the label.
  struct Shown {
    std::string caption, toolTip;
    Colour back = 0, fore = 0;
    bool underline = false, visible = false, enabled = false, first = true;
  };
  auto sync = [widget, &model, shown = std::make_shared<Shown>()] {
    Shown& s = *shown;
    if (s.first || s.caption != model.Caption())
      widget->setText(ToQ(Replace(s.caption = model.Caption(), "\r\n", "\n")));  // one line per row
    if (s.first || s.toolTip != model.ToolTip()) widget->setToolTip(ToQ(s.toolTip = model.ToolTip()));
    if (s.first || s.back != model.BackColor() || s.fore != model.ForeColor()) {
      s.back = model.BackColor();
      s.fore = model.ForeColor();
      QPalette p = widget->palette();
      p.setColor(QPalette::Window, ToQColor(s.back));
      p.setColor(QPalette::WindowText, ToQColor(s.fore));
      widget->setPalette(p);
    }
    if (s.first || s.underline != model.FontUnderline()) {
      QFont f = widget->font();
      f.setUnderline(s.underline = model.FontUnderline());
      widget->setFont(f);
    }
    if (s.first || s.enabled != model.Enabled()) widget->setEnabled(s.enabled = model.Enabled());
    if (s.first || s.visible != model.Visible()) widget->setVisible(s.visible = model.Visible());
    s.first = false;
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
  auto sync = [widget, &model, placed = std::make_shared<Rect>()] {
    if (model.Bounds().width <= 0 || model.Bounds() == *placed) return;
    *placed = model.Bounds();
    widget->setGeometry(PxRect(*placed));
  };
  model.changed.Subscribe(sync);
  sync();
}

void AfterShow(QWidget* window, const std::function<void()>& check) {
  for (int ms : {50, 200, 500, 1000, 2500, 5000}) QTimer::singleShot(ms, window, check);
}

namespace {

// Keeps a top-level window where its model says, the model's size being the
// outer one (title bar and borders included). The window manager tells the
// frame only once the window is up, so the size is applied again when the
// frame becomes known or changes.
class WindowPlacer : public QObject {
 public:
  WindowPlacer(QWidget* widget, Window& model, QSize minSize)
      : QObject(widget), widget_(widget), model_(model), minSize_(minSize) {
    widget->installEventFilter(this);
    model.changed.Subscribe([this] { Sync(); });
    Sync();
  }

 protected:
  bool eventFilter(QObject*, QEvent* event) override {
    const QEvent::Type t = event->type();
    if (t == QEvent::Show) AfterShow(widget_, [this] { Check(); });
    if (t == QEvent::Move || t == QEvent::Resize || t == QEvent::Show) Check();
    return false;
  }

 private:
  struct Placed {
    Rect bounds;
    QSize frame;
  };
  QSize Frame() const { return widget_->frameGeometry().size() - widget_->size(); }
  void Check() {
    if (placed_ && Frame() != placed_->frame) Sync();
  }
  void Sync() {
    widget_->setWindowTitle(ToQ(model_.Caption()));
    // A new place from the model, or showing the window, moves it; the
    // user's own moves and resizes stand otherwise.
    const bool showing = model_.Visible() && !widget_->isVisible();
    const QSize frame = Frame();
    if (showing || !placed_ || placed_->bounds != model_.Bounds() || placed_->frame != frame) {
      placed_ = Placed{model_.Bounds(), frame};
      const QRect r = PxRect(model_.Bounds());
      widget_->move(r.topLeft());
      widget_->resize(std::max(r.width() - frame.width(), minSize_.width()),
                      std::max(r.height() - frame.height(), minSize_.height()));
    }
    if (widget_->isVisible() != model_.Visible()) widget_->setVisible(model_.Visible());
  }

  QWidget* widget_;
  Window& model_;
  QSize minSize_;
  std::optional<Placed> placed_;
};

}  // namespace

void BindWindow(QWidget* widget, Window& model, QSize minSize) { new WindowPlacer(widget, model, minSize); }

}  // namespace koralin::qt
