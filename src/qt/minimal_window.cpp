#include "qt/minimal_window.h"

#include <QCloseEvent>
#include <QLabel>
#include <QMoveEvent>
#include <QPushButton>

#include "app/events.h"
#include "common/basic.h"
#include "display/minimal.h"
#include "qt/bind.h"
#include "qt/keys.h"
#include "qt/text.h"

namespace koralin::qt {

namespace {

constexpr int kRowPixels = 15;

QLabel* AddColumn(QWidget* parent, Label& model, bool bold) {
  auto* w = new QLabel(parent);
  w->setObjectName(QString::fromStdString(model.Name()));
  w->setAlignment(Qt::AlignLeft | Qt::AlignTop);
  w->setContentsMargins(4, 0, 4, 0);
  QFont f = w->font();
  f.setPixelSize(kRowPixels);
  f.setBold(bold);
  w->setFont(f);
  Bind(w, model);
  auto place = [w, &model] {
    w->setText(ToQ(Replace(model.Caption(), "\r\n", "\n")));  // one line per row
    const Rect& r = model.Bounds();
    w->setGeometry(Px(r.left), Px(r.top), Px(r.width), Px(r.height));
  };
  model.changed.Subscribe(place);
  place();
  return w;
}

}  // namespace

MinimalWindow::MinimalWindow(App& app) : QWidget(nullptr, Qt::Window), app_(app) {
  Form5& m = app_.display.form5;
  setObjectName("Form5");
  setAttribute(Qt::WA_QuitOnClose, false);
  AddColumn(this, m.Label1, false);
  AddColumn(this, m.Label2, true);

  auto* button = new QPushButton(this);
  button->setObjectName("Command1");
  QFont f = button->font();
  f.setPixelSize(14);
  f.setBold(true);
  button->setFont(f);
  connect(button, &QPushButton::clicked, this, [&m] { m.Command1.Click(); });
  auto syncButton = [button, &m] {
    button->setText(ToQ(m.Command1.Caption()));
    button->setToolTip(ToQ(m.Command1.ToolTip()));
    const Rect& r = m.Command1.Bounds();
    button->setGeometry(Px(r.left), Px(r.top), Px(r.width), Px(r.height));
  };
  m.Command1.changed.Subscribe(syncButton);
  syncButton();

  new KeyPreview(this, [this](int code, int shift) {
    Guarded(app_, [code, shift](App& a) { Form5_KeyDown(a, code, shift); })();
  });
  m.form.changed.Subscribe([this] { SyncWindow(); });
  SyncWindow();
}

void MinimalWindow::SyncWindow() {
  const Form5& m = app_.display.form5;
  setWindowTitle(ToQ(m.form.Caption()));
  setFixedSize(Px(m.form.ScaleWidth()), Px(m.form.ScaleHeight()));
  if (pos() != QPoint(Px(m.form.Left()), Px(m.form.Top()))) move(Px(m.form.Left()), Px(m.form.Top()));
  QPalette p = palette();
  p.setColor(QPalette::Window, ToQColor(m.BackColor()));
  setPalette(p);
  setAutoFillBackground(true);
  setVisible(m.form.Visible());
}

// The close box: the model decides what closing means.
void MinimalWindow::closeEvent(QCloseEvent* event) {
  event->ignore();
  Guarded(app_, UnloadForm5)();
}

void MinimalWindow::moveEvent(QMoveEvent* event) {
  QWidget::moveEvent(event);
  if (!event->spontaneous()) return;
  app_.display.form5.form.Move(pos().x() * 15, pos().y() * 15);
}

}  // namespace koralin::qt
