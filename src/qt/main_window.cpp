#include "qt/main_window.h"

#include <QFontDatabase>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QListWidget>
#include <QRadioButton>
#include <QLabel>
#include <QMenuBar>
#include <QVBoxLayout>

#include "qt/bind.h"
#include "qt/text.h"

namespace koralin::qt {

namespace {

QLabel* AddLabel(QGridLayout* grid, Label& model, int row, int col, int span = 1, int pointSize = 0) {
  auto* w = new QLabel;
  w->setObjectName(QString::fromStdString(model.Name()));
  w->setFrameShape(QFrame::Panel);
  w->setFrameShadow(QFrame::Sunken);
  w->setAlignment(Qt::AlignCenter);
  if (pointSize > 0) {
    QFont f = w->font();
    f.setPointSize(pointSize);
    f.setBold(true);
    w->setFont(f);
  }
  Bind(w, model);
  grid->addWidget(w, row, col, 1, span);
  return w;
}

// The input source buttons and the custom port list.
QWidget* InputChoice(Form1& f) {
  auto* box = new QWidget;
  box->setObjectName("InputChoice");
  auto* row = new QHBoxLayout(box);
  row->setContentsMargins(0, 0, 0, 0);
  for (OptionButton& b : f.Option1) {
    auto* w = new QRadioButton;
    w->setObjectName(QString::fromStdString(b.Name()));
    Bind(w, b);
    row->addWidget(w);
  }
  auto* list = new QListWidget;
  list->setObjectName("lstCustumComIn");
  list->setMaximumHeight(Px(900));
  list->setMaximumWidth(Px(700));
  Bind(list, f.lstCustumComIn);
  row->addWidget(list);
  row->addStretch();
  return box;
}

}  // namespace

MainWindow::MainWindow(App& app) : app_(app) {
  Form1& f = app_.form1;
  setObjectName("Form1");
  BuildMenuBar(menuBar(), f.menuBar);

  auto* frame = new QGroupBox;
  frame->setObjectName("Frame1");
  Bind(frame, f.Frame1);

  auto* grid = new QGridLayout(frame);
  AddLabel(grid, f.lblLatitude, 0, 0, 2, 16);
  AddLabel(grid, f.lblLongitude, 0, 2, 2, 16);
  AddLabel(grid, f.lblTime, 1, 0, 2, 14);
  AddLabel(grid, f.lblDate, 1, 2, 2, 14);
  AddLabel(grid, f.lblLock, 2, 0);
  AddLabel(grid, f.lblVal1, 2, 1);
  AddLabel(grid, f.lblCompass, 2, 2);
  AddLabel(grid, f.lblCompassText, 2, 3);
  QLabel* raw = AddLabel(grid, f.lblGPRMC, 3, 0, 4);
  raw->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
  raw->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
  raw->setTextInteractionFlags(Qt::TextSelectableByMouse);
  AddLabel(grid, f.lblHeight, 4, 0);
  AddLabel(grid, f.lblDoppler, 4, 1);
  AddLabel(grid, f.lblAmplitude, 4, 2);
  AddLabel(grid, f.lblFluxGateCompass, 4, 3);
  AddLabel(grid, f.lblAltitude, 5, 0, 4);

  auto* central = new QWidget;
  auto* layout = new QVBoxLayout(central);
  layout->addWidget(frame);
  layout->addWidget(InputChoice(f));
  setCentralWidget(central);

  auto syncWindow = [this, &f] { setWindowTitle(ToQ(f.form.Caption())); };
  f.form.changed.Subscribe(syncWindow);
  syncWindow();
}

}  // namespace koralin::qt
