// The input choice on the main window: buttons and list mirror the model
// and clicks reach it.
#include <QDir>
#include <QGroupBox>
#include <QListWidget>
#include <QRadioButton>
#include <gtest/gtest.h>

#include "qt/main_window.h"
#include "support/fakes.h"

namespace koralin {
namespace {

struct WindowRig : test::TestRig {
  WindowRig() {
    Form1& f = app.form1;
    f.tmrPolling.SetInterval(1500);
    f.tmrComInTimeOut.SetInterval(10000);
    for (int i = 0; i < 6; ++i) f.Option1[static_cast<std::size_t>(i)].SetCaption("Com" + std::to_string(i + 1));
    f.Option1[6].SetCaption("Com7");
    f.Option1[7].SetCaption("Comport off");
    f.Option1[8].SetCaption("Demo");
    for (int n = 7; n <= 31; ++n) f.lstCustumComIn.AddItem(std::to_string(n));
    app.settings.BaudIn = 4800;
  }
  QRadioButton* Button(int i) { return window.findChild<QRadioButton*>(QString("Option1(%1)").arg(i)); }
  qt::MainWindow window{app};
};

TEST(InputChoiceWidgets, ButtonsFollowTheModelAndClicksReachIt) {
  WindowRig rig;
  ASSERT_NE(rig.Button(8), nullptr);
  EXPECT_EQ(rig.Button(7)->text(), "Comport off");
  rig.Button(2)->click();
  EXPECT_EQ(rig.app.settings.ComPortIn, 3);
  EXPECT_TRUE(rig.Button(2)->isChecked());
  EXPECT_FALSE(rig.Button(0)->isEnabled());
  EXPECT_TRUE(rig.Button(7)->isEnabled());
  EXPECT_TRUE(rig.window.findChild<QListWidget*>("lstCustumComIn")->isHidden());
  rig.Button(7)->click();
  EXPECT_EQ(rig.app.settings.ComPortIn, 0);
  EXPECT_FALSE(rig.Button(2)->isChecked());
  EXPECT_TRUE(rig.Button(7)->isChecked());
  EXPECT_TRUE(rig.Button(0)->isEnabled());
}

TEST(InputChoiceWidgets, PickingInTheListOffersThePort) {
  WindowRig rig;
  auto* list = rig.window.findChild<QListWidget*>("lstCustumComIn");
  ASSERT_NE(list, nullptr);
  ASSERT_EQ(list->count(), 25);
  emit list->itemClicked(list->item(5));
  EXPECT_EQ(rig.app.settings.CustomComIn, 12);
  EXPECT_EQ(rig.Button(6)->text(), "Com12");
}

TEST(InputChoiceWidgets, TheWatchdogWarningShowsInTheFrame) {
  WindowRig rig;
  rig.Button(0)->click();
  rig.clock.Advance(30000);
  auto* frame = rig.window.findChild<QGroupBox*>("Frame1");
  ASSERT_NE(frame, nullptr);
  EXPECT_EQ(frame->title(), "Warning no RS232 input recieved for about 30 Sec's.");
  EXPECT_TRUE(frame->styleSheet().contains("#ff00ff"));  // magenta on the third warning
  rig.window.show();
  QDir().mkpath(KORALIN_SCREENSHOT_DIR);
  rig.window.grab().save(QString(KORALIN_SCREENSHOT_DIR) + "/main-window-no-input-warning.png");
}

}  // namespace
}  // namespace koralin
