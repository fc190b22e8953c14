#include "qt/keys.h"

#include <QApplication>
#include <QWidget>

namespace koralin::qt {

int KeyCode(const QKeyEvent& event) {
  const int k = event.key();
  if (k >= Qt::Key_A && k <= Qt::Key_Z) return 'A' + (k - Qt::Key_A);
  if (k >= Qt::Key_0 && k <= Qt::Key_9) return '0' + (k - Qt::Key_0);
  if (k >= Qt::Key_F1 && k <= Qt::Key_F24) return 112 + (k - Qt::Key_F1);
  switch (k) {
    case Qt::Key_Escape: return 27;
    case Qt::Key_Return:
    case Qt::Key_Enter: return 13;
    case Qt::Key_Space: return 32;
    case Qt::Key_Backspace: return 8;
    case Qt::Key_Tab: return 9;
    default: return 0;
  }
}

int ShiftState(Qt::KeyboardModifiers modifiers) {
  int s = 0;
  if (modifiers & Qt::ShiftModifier) s |= 1;
  if (modifiers & Qt::ControlModifier) s |= 2;
  if (modifiers & Qt::AltModifier) s |= 4;
  return s;
}

KeyPreview::KeyPreview(QWidget* window, Handler handler)
    : QObject(window), window_(window), handler_(std::move(handler)) {
  qApp->installEventFilter(this);
}

bool KeyPreview::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() != QEvent::KeyPress || !watched->isWidgetType()) return false;
  auto* widget = static_cast<QWidget*>(watched);
  if (widget->window() != window_) return false;
  const auto* key = static_cast<QKeyEvent*>(event);
  // A press the first receiver ignores travels up through its parents; it
  // counts once, where it arrived first.
  const bool travelling = event == last_ && key->timestamp() == lastTimestamp_ && lastReceiver_ &&
                          widget != lastReceiver_ && widget->isAncestorOf(lastReceiver_);
  if (travelling) return false;
  last_ = event;
  lastTimestamp_ = key->timestamp();
  lastReceiver_ = widget;
  handler_(KeyCode(*key), ShiftState(key->modifiers()));
  return false;
}

}  // namespace koralin::qt
