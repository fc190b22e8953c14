#include "qt/df_window.h"

#include <QAction>
#include <QCloseEvent>
#include <QVBoxLayout>

#include "qt/compass_widget.h"
#include "qt/text.h"

namespace koralin::qt {

DfWindow::DfWindow(DfForm& model) : model_(model), picture_(new CompassWidget(model.picture, this)) {
  setObjectName(QString::fromStdString(model.form.Name()));
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->addWidget(picture_);
  resize(480, 480);
  auto syncWindow = [this, &model] {
    setWindowTitle(ToQ(model.form.Caption()));
    if (isVisible() != model.form.Visible()) setVisible(model.form.Visible());
  };
  model.form.changed.Subscribe(syncWindow);
  syncWindow();
}

void DfWindow::OnTeamOptions(std::function<void()> open) {
  auto* action = new QAction("Team options...", this);
  action->setObjectName("actTeamOptions");
  connect(action, &QAction::triggered, this, std::move(open));
  addAction(action);
  setContextMenuPolicy(Qt::ActionsContextMenu);
}

void DfWindow::closeEvent(QCloseEvent* event) {
  event->ignore();
  model_.onQueryUnload.Notify();
}

// The core draws in twips for the picture's size; it learns the size here.
void DfWindow::resizeEvent(QResizeEvent* event) {
  QWidget::resizeEvent(event);
  const QSize s = picture_->size();
  model_.picture.SetBounds({0, 0, s.width() * 15, s.height() * 15});
  model_.onResize.Notify();
}

}  // namespace koralin::qt
