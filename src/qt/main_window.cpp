#include "qt/main_window.h"

#include <QCloseEvent>
#include <QFontDatabase>
#include <QGroupBox>
#include <QLayout>
#include <QListWidget>
#include <QRadioButton>
#include <QLabel>
#include <QMenuBar>
#include <QMouseEvent>
#include <QScreen>
#include <QWindow>
#include <algorithm>

#include "app/events.h"
#include "app/shutdown.h"
#include "app/keys_and_mouse.h"
#include "display/layout.h"
#include "qt/bind.h"
#include "qt/compass_widget.h"
#include "qt/frame_view.h"
#include "qt/keys.h"
#include "qt/model_label.h"
#include "qt/speed_bar.h"
#include "qt/text.h"

namespace koralin::qt {

namespace {

// How each label looks; where it sits comes from the model.
enum class Look { kLarge, kMedium, kSmall, kUnit, kRaw, kSpinner };
enum class Parent { kFrame, kWindow };

struct LabelPlacement {
  Label Form1::*label;
  Look look;
  Parent parent;
};

const LabelPlacement kLabels[] = {
    {&Form1::lblLatitude, Look::kLarge, Parent::kFrame},
    {&Form1::lblLongitude, Look::kLarge, Parent::kFrame},
    {&Form1::lblTime, Look::kMedium, Parent::kFrame},
    {&Form1::lblLock, Look::kMedium, Parent::kFrame},
    {&Form1::lblSpeed, Look::kLarge, Parent::kFrame},
    {&Form1::lblUnity, Look::kUnit, Parent::kFrame},
    {&Form1::lblCompass, Look::kLarge, Parent::kFrame},
    {&Form1::lblCompassText, Look::kMedium, Parent::kFrame},
    {&Form1::lblDate, Look::kMedium, Parent::kFrame},
    {&Form1::lblTurnPrompt, Look::kSpinner, Parent::kFrame},
    {&Form1::lblHeight, Look::kSmall, Parent::kFrame},
    {&Form1::lblFluxGateCompass, Look::kRaw, Parent::kFrame},
    {&Form1::lblDoppler, Look::kSmall, Parent::kFrame},
    {&Form1::lblAmplitude, Look::kSmall, Parent::kFrame},
    {&Form1::lblDDESound, Look::kSmall, Parent::kFrame},
    {&Form1::lblGPRMC, Look::kRaw, Parent::kFrame},
    {&Form1::lblAltitude, Look::kRaw, Parent::kFrame},
    // The published-value row below the frame.
    {&Form1::lblLat1, Look::kSmall, Parent::kWindow},
    {&Form1::lblLong1, Look::kSmall, Parent::kWindow},
    {&Form1::lblVal1, Look::kSmall, Parent::kWindow},
    {&Form1::lblCompas1, Look::kSmall, Parent::kWindow},
    {&Form1::lblSpeed1, Look::kSmall, Parent::kWindow},
    {&Form1::lblHeight1, Look::kSmall, Parent::kWindow},
    {&Form1::lblDoppler1, Look::kSmall, Parent::kWindow},
};

void Style(QLabel* w, Look look) {
  QFont f = look == Look::kRaw || look == Look::kSpinner ? QFontDatabase::systemFont(QFontDatabase::FixedFont)
                                                         : w->font();
  static constexpr int kPixels[] = {21, 14, 12, 14, 11, 15};
  f.setPixelSize(kPixels[static_cast<int>(look)]);
  f.setBold(look == Look::kLarge || look == Look::kMedium || look == Look::kSpinner);
  w->setFont(f);
  if (look == Look::kUnit) {
    w->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    return;
  }
  w->setFrameShape(QFrame::Panel);
  w->setFrameShadow(QFrame::Sunken);
  w->setAlignment(look == Look::kRaw ? Qt::AlignLeft | Qt::AlignVCenter : Qt::AlignCenter);
  if (look == Look::kRaw) w->setContentsMargins(3, 0, 3, 0);
}

template <class F> void Run(App& app, F f) { Guarded(app, f)(); }

// The frame: a press or double-click on the frame itself, not on a control
// inside it, goes to the frame's handlers.
class FrameBox : public FrameView {
 public:
  FrameBox(App& app, QWidget* parent) : FrameView(app.form1.Frame1, parent), app_(app) {}

 protected:
  void mousePressEvent(QMouseEvent* e) override {
    if (childAt(e->position().toPoint())) return QGroupBox::mousePressEvent(e);
    const int b = e->button() == Qt::LeftButton ? button::kLeft
                  : e->button() == Qt::RightButton ? button::kRight
                  : e->button() == Qt::MiddleButton ? button::kMiddle : 0;
    const int shift = ShiftState(e->modifiers());
    const float x = static_cast<float>(e->position().x() * 15), y = static_cast<float>(e->position().y() * 15);
    Run(app_, [=](App& a) { Frame1_MouseDown(a, b, shift, x, y); });
  }
  void mouseDoubleClickEvent(QMouseEvent* e) override {
    if (childAt(e->position().toPoint())) return QGroupBox::mouseDoubleClickEvent(e);
    Run(app_, Frame1_DblClick);
  }

 private:
  App& app_;
};

// The window's inner area: a double-click on its background.
class InnerArea : public QWidget {
 public:
  explicit InnerArea(App& app) : app_(app) {}

 protected:
  void mouseDoubleClickEvent(QMouseEvent* e) override {
    if (childAt(e->position().toPoint())) return QWidget::mouseDoubleClickEvent(e);
    Run(app_, Form1_DblClick);
  }

 private:
  App& app_;
};

QGroupBox* BuildFrame(App& app, QWidget* inner) {
  Frame& model = app.form1.Frame1;
  auto* frame = new FrameBox(app, inner);
  Place(frame, model);
  return frame;
}

// A list one row high: each row fills the box, so the number shown is whole
// and the next one never peeps in, at any scale.
class OneRowList : public QListWidget {
 public:
  using QListWidget::QListWidget;

 protected:
  void resizeEvent(QResizeEvent* e) override {
    QListWidget::resizeEvent(e);
    setGridSize(viewport()->size());
  }
};

// The input source buttons and the custom port list, in their places.
void AddInputChoice(Form1& f, QWidget* parent) {
  // Nine choices share one row: a compact font keeps every caption whole.
  QFont compact = parent->font();
  compact.setBold(false);
  compact.setPointSizeF(compact.pointSizeF() * 0.8);
  for (OptionButton& b : f.Option1) {
    auto* w = new QRadioButton(parent);
    w->setFont(compact);
    w->setStyleSheet("QRadioButton { spacing: 2px; }");
    w->setObjectName(QString::fromStdString(b.Name()));
    Bind(w, b);
    Place(w, b);
  }
  auto* list = new OneRowList(parent);
  list->setObjectName("lstCustumComIn");
  Bind(list, f.lstCustumComIn);
  Place(list, f.lstCustumComIn);
}

// The window's outer place moved, if need be, so that its title bar lies on
// its screen. A window the window system placed by its inner area (static
// gravity) has the content at the corner and the title bar above the screen,
// where it can never be dragged.
QPoint Reachable(const QWidget& window) {
  const QPoint at = window.pos();
  const QScreen* screen = window.screen();
  if (!screen) return at;
  const QRect free = screen->availableGeometry();
  return {std::max(at.x(), free.left()), std::max(at.y(), free.top())};
}

}  // namespace

MainWindow::MainWindow(App& app) : app_(app) {
  Form1& f = app_.form1;
  setObjectName("Form1");
  BuildMenuBar(menuBar(), f.menuBar);

  inner_ = new InnerArea(app_);
  setCentralWidget(inner_);
  layout()->setSizeConstraint(QLayout::SetFixedSize);  // the model's size, never the user's
  QGroupBox* frame = BuildFrame(app_, inner_);

  for (const LabelPlacement& p : kLabels) {
    Label& model = f.*p.label;
    auto* w = new ModelLabel(p.parent == Parent::kFrame ? static_cast<QWidget*>(frame) : inner_);
    w->setObjectName(QString::fromStdString(model.Name()));
    Style(w, p.look);
    Bind(w, model);
    Place(w, model);
  }
  Place(new CompassWidget(f.Picture1, frame), f.Picture1);
  Place(new SpeedBar(f.ProgressBar1, frame), f.ProgressBar1);
  AddInputChoice(f, frame);

  new KeyPreview(this, [this](int code, int shift) {
    Run(app_, [code, shift](App& a) { Form1_KeyDown(a, code, shift); });
  });

  minimal_ = std::make_unique<MinimalWindow>(app_);
  visible_ = f.form.Visible();
  f.form.changed.Subscribe([this] { SyncWindow(); });
  SyncWindow();
  if (visible_) show();
}

MainWindow::~MainWindow() = default;

void MainWindow::SyncWindow() {
  const Window& w = app_.form1.form;
  setWindowTitle(ToQ(w.Caption()));
  const QSize inner(Px(w.ScaleWidth()), Px(w.ScaleHeight()));
  if (inner_->size() != inner) {
    inner_->setFixedSize(inner);
    adjustSize();  // the window follows its inner area at once
  }
  // Every new place is applied, the first one too: a window never moved
  // before it is shown is placed by the window manager instead.
  const QPoint place(Px(w.Left()), Px(w.Top()));
  if (!placed_ || *placed_ != place) {
    placed_ = place;
    // Once the window exists, move() places its inner area (static gravity)
    // by the frame Qt knows of, none before the window manager has told it:
    // the place is given as the frame's, whatever Qt knows.
    if (QWindow* handle = windowHandle())
      handle->setFramePosition(place);
    else
      move(place);
  }
  // The face may show the window on its own before the model does; only a
  // change of the model's mind is applied.
  if (w.Visible() != visible_) {
    visible_ = w.Visible();
    setVisible(visible_);
  }
}

// The window's own frame (title bar, borders, menu bar) as the window system
// has it, so the model's outer height is the height on screen; a new size
// goes through the model's resize rule, as the user's resizing does.
void MainWindow::FitToModel(bool resized) {
  Window& w = app_.form1.form;
  if (!isVisible() || w.State() != WindowState::kNormal) return;
  const QSize frame = frameGeometry().size() - inner_->size();
  const bool newFrame =
      frame.width() * 15 != w.Width() - w.ScaleWidth() || frame.height() * 15 != w.Height() - w.ScaleHeight();
  if (newFrame) {
    w.SetFrameSize(frame.width() * 15, frame.height() * 15);
    placed_.reset();  // the place is the frame's, now that it is known
  }
  if (newFrame || resized) Run(app_, Form1_Resize);
  bool placeAgain = newFrame;
  if (const QPoint place = Reachable(*this); place != pos()) {
    placed_.reset();
    w.Move(place.x() * 15, place.y() * 15);
    placeAgain = true;  // even when the model was there already
  }
  if (placeAgain) SyncWindow();
}

// Closing the window, by its close box or the window manager's Alt+F4.
void MainWindow::closeEvent(QCloseEvent* event) {
  event->ignore();
  Run(app_, ExitProgram);
}

void MainWindow::changeEvent(QEvent* event) {
  QMainWindow::changeEvent(event);
  if (event->type() != QEvent::WindowStateChange) return;
  const Qt::WindowStates s = windowState();
  app_.form1.form.SetState(s & Qt::WindowMinimized   ? WindowState::kMinimized
                           : s & Qt::WindowMaximized ? WindowState::kMaximized
                                                     : WindowState::kNormal);
  Run(app_, Form1_Resize);
}

void MainWindow::moveEvent(QMoveEvent* event) {
  QMainWindow::moveEvent(event);
  if (event->spontaneous()) app_.form1.form.Move(pos().x() * 15, pos().y() * 15);
  FitToModel(false);
}

void MainWindow::resizeEvent(QResizeEvent* event) {
  QMainWindow::resizeEvent(event);
  FitToModel(true);
}

void MainWindow::showEvent(QShowEvent* event) {
  QMainWindow::showEvent(event);
  FitToModel(true);
  AfterShow(this, [this] { FitToModel(false); });
}

}  // namespace koralin::qt
