#include "qt/qt_dialogs.h"

#include <QApplication>
#include <QDebug>
#include <QFontDatabase>
#include <QInputDialog>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>

#include "qt/text.h"

namespace koralin::qt {

namespace {

QMessageBox::Icon IconOf(MsgIcon icon) {
  switch (icon) {
    case MsgIcon::kCritical: return QMessageBox::Critical;
    case MsgIcon::kQuestion: return QMessageBox::Question;
    case MsgIcon::kExclamation: return QMessageBox::Warning;
    case MsgIcon::kInformation: return QMessageBox::Information;
    case MsgIcon::kNone: break;
  }
  return QMessageBox::NoIcon;
}

std::vector<std::pair<QMessageBox::StandardButton, MsgResult>> ButtonsOf(MsgButtons b) {
  using B = QMessageBox;
  switch (b) {
    case MsgButtons::kOkCancel: return {{B::Ok, MsgResult::kOk}, {B::Cancel, MsgResult::kCancel}};
    case MsgButtons::kYesNoCancel:
      return {{B::Yes, MsgResult::kYes}, {B::No, MsgResult::kNo}, {B::Cancel, MsgResult::kCancel}};
    case MsgButtons::kYesNo: return {{B::Yes, MsgResult::kYes}, {B::No, MsgResult::kNo}};
    case MsgButtons::kRetryCancel: return {{B::Retry, MsgResult::kRetry}, {B::Cancel, MsgResult::kCancel}};
    case MsgButtons::kOk: break;
  }
  return {{B::Ok, MsgResult::kOk}};
}

// A table's columns line up only in a fixed-pitch font.
void SetPitch(QMessageBox* m, const MessageBox& box) {
  if (!box.fixedPitch) return;
  if (auto* text = m->findChild<QLabel*>("qt_msgbox_label"))
    text->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
}

}  // namespace

QWidget* QtDialogs::Owner() const {
  // The window the user works in, so that closing the box gives the keyboard
  // back to it; never another box, which takes its own boxes when it goes.
  QWidget* active = QApplication::activeWindow();
  return active && !qobject_cast<QMessageBox*>(active) ? active : parent_;
}

void QtDialogs::WaitForNotices() {
  while (!quiet_) {
    notices_.removeAll(nullptr);
    bool open = false;
    for (const QPointer<QMessageBox>& n : notices_) open = open || n->isVisible();
    if (!open) return;
    QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
  }
}

MsgResult QtDialogs::MsgBox(const MessageBox& box) {
  // Also on the terminal, for a program started from a shell or a script.
  qInfo().noquote() << ToQ(box.title) + ": " + ToQ(box.prompt);
  const auto buttons = ButtonsOf(box.buttons);
  if (quiet_) return buttons.size() == 1 ? MsgResult::kOk : buttons.back().second;
  if (box.buttons == MsgButtons::kOk) {
    auto* notice = new QMessageBox(IconOf(box.icon), ToQ(box.title), ToQ(box.prompt), QMessageBox::Ok, Owner());
    notice->setAttribute(Qt::WA_DeleteOnClose);
    notice->setModal(false);
    SetPitch(notice, box);
    notice->show();
    notices_.removeAll(nullptr);
    notices_.append(notice);
    return MsgResult::kOk;
  }
  QMessageBox m(IconOf(box.icon), ToQ(box.title), ToQ(box.prompt), QMessageBox::NoButton, Owner());
  SetPitch(&m, box);
  for (std::size_t i = 0; i < buttons.size(); ++i) {
    QPushButton* b = m.addButton(buttons[i].first);
    if (static_cast<int>(i) + 1 == box.defaultButton) m.setDefaultButton(b);
  }
  const auto clicked = m.standardButton(m.exec() >= 0 ? m.clickedButton() : nullptr);
  for (const auto& [button, result] : buttons)
    if (button == clicked) return result;
  // Closed by Esc or the close box: the cancelling answer.
  return buttons.size() == 1 ? MsgResult::kOk : buttons.back().second;
}

std::string QtDialogs::InputBox(const std::string& prompt, const std::string& title, const std::string& defaultText) {
  bool ok = false;
  const QString answer = QInputDialog::getText(Owner(), ToQ(title), ToQ(prompt), QLineEdit::Normal, ToQ(defaultText), &ok);
  return ok ? FromQ(answer) : std::string();
}

}  // namespace koralin::qt
