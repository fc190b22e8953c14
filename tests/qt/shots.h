// What the window tests share: screenshots for a person to look at, and
// finding widgets and menu entries by the names the model gives them.
#pragma once

#include <QDir>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QWidget>
#include <gtest/gtest.h>

namespace koralin::test {

inline void SaveShot(QWidget& w, const QString& file) {
  QDir().mkpath(KORALIN_SCREENSHOT_DIR);
  EXPECT_TRUE(w.grab().save(QString(KORALIN_SCREENSHOT_DIR) + "/" + file)) << file.toStdString();
}

inline QString LabelText(const QWidget& w, const char* name) {
  const auto* l = w.findChild<QLabel*>(name);
  return l ? l->text() : QString("<missing %1>").arg(name);
}

// A menu entry by its caption, in any top-level menu.
inline QAction* FindAction(QMenuBar* bar, const QString& text) {
  for (QAction* top : bar->actions())
    if (top->menu())
      for (QAction* a : top->menu()->actions())
        if (a->text() == text) return a;
  return nullptr;
}

}  // namespace koralin::test
