#include "qt/minimal_window.h"

#include <QCloseEvent>
#include <QLabel>
#include <QMoveEvent>
#include <QPushButton>

#include "app/events.h"
#include "display/minimal.h"
#include "qt/bind.h"
#include "qt/keys.h"
#include "qt/model_label.h"
#include "qt/text.h"

namespace koralin::qt {

namespace {

constexpr int kRowPixels = 15;

QLabel* AddColumn(QWidget* parent, Label& model, bool bold) {
  auto* w = new ModelLabel(parent);
  w->setObjectName(QString::fromStdString(model.Name()));
  w->setAlignment(Qt::AlignLeft | Qt::AlignTop);
  w->setContentsMargins(4, 0, 4, 0);
  QFont f = w->font();
  f.setPixelSize(kRowPixels);
  f.setBold(bold);
  w->setFont(f);
  Bind(w, model);
  Place(w, model);
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
  Bind(button, m.Command1);
  Place(button, m.Command1);

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
  // The first place is applied too, (0,0) included: a window never moved
  // is placed by the window manager instead.
  const QPoint place(Px(m.form.Left()), Px(m.form.Top()));
  if (!placed_ || *placed_ != place) {
    placed_ = place;
    move(place);
  }
  if (back_ != m.BackColor()) {
    back_ = m.BackColor();
    QPalette p = palette();
    p.setColor(QPalette::Window, ToQColor(*back_));
    setPalette(p);
    setAutoFillBackground(true);
  }
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
