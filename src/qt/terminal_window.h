// The Terminal In and Terminal Out windows: a black surface with the newest
// line on top, the freeze box and, on Terminal In, the send box.
#pragma once

#include <QStringList>
#include <QWidget>

#include "app/app.h"

namespace koralin::qt {

// Paints only the lines that fit, so a full 4500-character history costs
// no more than a screenful per repaint.
class TerminalSurface : public QWidget {
 public:
  TerminalSurface(QWidget* parent, TerminalScreen& model, Notifier& onClick);
  const QStringList& Lines() const { return lines_; }

 protected:
  void paintEvent(QPaintEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;

 private:
  void Sync();
  TerminalScreen& model_;
  Notifier& onClick_;
  QStringList lines_;
};

class TerminalView : public QWidget {
 public:
  // form2 is null for Terminal Out.
  TerminalView(App& app, TerminalWindow& model, Form2* form2);
  TerminalSurface* Surface() const { return surface_; }

 protected:
  void resizeEvent(QResizeEvent* event) override;
  void closeEvent(QCloseEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;

 private:
  void AddSendBox(Form2& form2);
  App& app_;
  TerminalWindow& model_;
  TerminalSurface* surface_;
};

}  // namespace koralin::qt
