// Keys as the model's key handlers take them: the key code and the shift
// state (1 Shift, 2 Ctrl, 4 Alt).
#pragma once

#include <QKeyEvent>
#include <QObject>
#include <QPointer>
#include <QWidget>
#include <functional>

namespace koralin::qt {

// The key code of a key press; 0 for keys the program has no code for.
int KeyCode(const QKeyEvent& event);
int ShiftState(Qt::KeyboardModifiers modifiers);

// Hands each key press in the window to `handler` once, before any of its
// widgets sees it.
class KeyPreview : public QObject {
 public:
  using Handler = std::function<void(int keyCode, int shift)>;
  KeyPreview(QWidget* window, Handler handler);

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  QWidget* window_;
  Handler handler_;
  // The press last handed on and where it arrived first.
  const QEvent* last_ = nullptr;
  quint64 lastTimestamp_ = 0;
  QPointer<QWidget> lastReceiver_;
};

}  // namespace koralin::qt
