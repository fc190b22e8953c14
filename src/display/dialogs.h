// Modal message boxes and input boxes, and the one helper that shows a box.
#pragma once

#include <string>

namespace koralin {

enum class MsgButtons { kOk, kOkCancel, kYesNoCancel, kYesNo, kRetryCancel };
enum class MsgIcon { kNone, kCritical, kQuestion, kExclamation, kInformation };
enum class MsgResult { kOk, kCancel, kYes, kNo, kRetry };

struct MessageBox {
  std::string prompt;
  std::string title;
  MsgButtons buttons = MsgButtons::kOk;
  MsgIcon icon = MsgIcon::kNone;
  int defaultButton = 1;  // 1..3, left to right
  bool fixedPitch = false;  // a table whose columns must line up
};

// The platform's modal boxes; the routines call them through MsgBox below.
class Dialogs {
 public:
  virtual ~Dialogs() = default;
  virtual MsgResult MsgBox(const MessageBox& box) = 0;
  // The answer; "" when the user cancels.
  virtual std::string InputBox(const std::string& prompt, const std::string& title,
                               const std::string& defaultText) = 0;
};

struct App;

// Shows a message box and returns the answer: every box of the program is
// built here, so none is assembled field by field at its caller.
MsgResult MsgBox(App& app, std::string prompt, std::string title, MsgIcon icon,
                 MsgButtons buttons = MsgButtons::kOk, int defaultButton = 1);
// A notice holding a table, in a fixed-pitch font.
void TableBox(App& app, std::string prompt, std::string title);

}  // namespace koralin
