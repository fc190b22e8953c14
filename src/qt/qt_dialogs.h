// Message and input boxes on Qt. A notice (OK only) stays open on its own
// and the call returns at once, so a box raised while data flows never holds
// up reading, decoding, relaying or logging; questions wait for the answer
// while the event loop (and every timer) goes on.
#pragma once

#include <QList>
#include <QMessageBox>
#include <QPointer>
#include <QWidget>

#include "display/dialogs.h"

namespace koralin::qt {

class QtDialogs : public Dialogs {
 public:
  void SetParent(QWidget* parent) { parent_ = parent; }
  // From now on boxes are only written on standard error (an exit started by
  // a signal has no one to click them).
  void SetQuiet() { quiet_ = true; }
  MsgResult MsgBox(const MessageBox& box) override;
  // Returns once every notice still open has been closed (at once when
  // quiet): the program's last words are read before it goes.
  void WaitForNotices();
  std::string InputBox(const std::string& prompt, const std::string& title, const std::string& defaultText) override;

 private:
  QWidget* Owner() const;
  QWidget* parent_ = nullptr;
  QList<QPointer<QMessageBox>> notices_;
  bool quiet_ = false;
};

}  // namespace koralin::qt
