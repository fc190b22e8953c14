// Message and input boxes on Qt.
#pragma once

#include <QWidget>

#include "display/dialogs.h"

namespace koralin::qt {

class QtDialogs : public Dialogs {
 public:
  void SetParent(QWidget* parent) { parent_ = parent; }
  MsgResult MsgBox(const MessageBox& box) override;
  std::string InputBox(const std::string& prompt, const std::string& title, const std::string& defaultText) override;

 private:
  QWidget* parent_ = nullptr;
};

}  // namespace koralin::qt
