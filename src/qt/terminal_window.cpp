#include "qt/terminal_window.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QFontDatabase>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPainter>
#include <memory>

#include "app/events.h"
#include "qt/text.h"
#include "qt/bind.h"
#include "terminal/terminal_windows.h"

namespace koralin::qt {

namespace {

constexpr int kMargin = 2;

// The key codes the program's key handlers know.
int KeyCodeOf(int qtKey) {
  switch (qtKey) {
    case Qt::Key_F1: return 112;
    case Qt::Key_Escape: return 27;
    case Qt::Key_Return:
    case Qt::Key_Enter: return 13;
    default: return qtKey < 128 ? qtKey : 0;
  }
}

}  // namespace

TerminalSurface::TerminalSurface(QWidget* parent, TerminalScreen& model, Notifier& onClick)
    : QWidget(parent), model_(model), onClick_(onClick) {
  setObjectName(ToQ(model.Name()));
  setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
  setAttribute(Qt::WA_OpaquePaintEvent);
  model_.changed.Subscribe([this] { Sync(); });
  Sync();
}

void TerminalSurface::Sync() {
  QString text = ToQ(model_.Text());
  lines_ = text.split("\r\n");
  if (!lines_.isEmpty() && lines_.back().isEmpty()) lines_.removeLast();
  // A lone CR or LF inside a line has no place on a one-line row.
  for (QString& line : lines_) line.replace('\r', ' ').replace('\n', ' ');
  update();
}

void TerminalSurface::paintEvent(QPaintEvent*) {
  QPainter p(this);
  p.fillRect(rect(), ToQColor(model_.BackColor()));
  // The check boxes in the corner stay readable: no text runs under them.
  QRegion text(rect());
  for (const QCheckBox* box : parentWidget()->findChildren<QCheckBox*>())
    if (box->isVisible()) text -= box->geometry().translated(-pos());
  p.setClipRegion(text);
  p.setPen(ToQColor(model_.ForeColor()));
  const QFontMetrics m(font());
  int y = kMargin + m.ascent();
  for (const QString& line : lines_) {
    if (y - m.ascent() > height()) break;
    p.drawText(kMargin, y, line);
    y += m.lineSpacing();
  }
}

void TerminalSurface::mousePressEvent(QMouseEvent*) { onClick_.Notify(); }

TerminalView::TerminalView(App& app, TerminalWindow& model, Form2* form2)
    : app_(app), model_(model), surface_(new TerminalSurface(this, model.screen, model.onClick)) {
  setObjectName(ToQ(model.form.Name()));
  auto* freeze = new QCheckBox(this);
  freeze->setObjectName("chkFreeze");
  Bind(freeze, model.chkFreeze);
  Place(freeze, model.chkFreeze);
  if (form2) AddSendBox(*form2);
  BindWindow(this, model.form, QSize(240, 120));
  // The check boxes read in the terminal's colours.
  auto colours = [this, &model, shown = std::make_shared<std::pair<Colour, Colour>>(1, 1)] {
    const std::pair<Colour, Colour> now{model.screen.BackColor(), model.screen.ForeColor()};
    if (now == *shown) return;
    *shown = now;
    QPalette p = palette();
    p.setColor(QPalette::Window, ToQColor(model.screen.BackColor()));
    p.setColor(QPalette::WindowText, ToQColor(model.screen.ForeColor()));
    for (QCheckBox* box : findChildren<QCheckBox*>()) box->setPalette(p);
  };
  model.screen.changed.Subscribe(colours);
  colours();
}

void TerminalView::AddSendBox(Form2& form2) {
  auto* send = new QCheckBox(this);
  send->setObjectName("ChkSend2ComIn");
  Bind(send, form2.ChkSend2ComIn);
  Place(send, form2.ChkSend2ComIn);
  auto* box = new QLineEdit(this);
  box->setObjectName("TxtSend");
  Bind(box, form2.TxtSend);
  Place(box, form2.TxtSend);
  box->raise();
  connect(box, &QLineEdit::returnPressed, box, [&form2] { form2.onTxtSendEnter.Notify(); });
  // The prompt before it is a box of this window, so the keyboard comes
  // back here, to the send box, when the prompt is closed.
  form2.focusTxtSend.Subscribe([box] {
    box->window()->raise();
    box->window()->activateWindow();
    box->setFocus(Qt::OtherFocusReason);
  });
}

void TerminalView::resizeEvent(QResizeEvent*) {
  surface_->setGeometry(rect());
  surface_->lower();
  model_.ScaleWidth = width() * 15;
  model_.ScaleHeight = height() * 15;
  model_.onResize.Notify();
}

void TerminalView::closeEvent(QCloseEvent* event) {
  // The model decides: it hides the window through its Visible state.
  event->ignore();
  model_.onQueryUnload.Notify();
}

void TerminalView::keyPressEvent(QKeyEvent* event) {
  const int key = KeyCodeOf(event->key());
  Guarded(app_, [key](App& app) { Terminal_KeyDown(app, key); })();
}

}  // namespace koralin::qt
