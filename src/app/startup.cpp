#include "app/startup.h"

#include "app/app.h"
#include "display/compass.h"
#include "nmea/gprmc.h"
#include "nmea/position.h"

namespace koralin {

void Form_Load(App& app) {
  Form1& f = app.form1;
  f.form.SetCaption(kTitle);
  f.form.SetBounds({0, 0, f.form.Width(), 3460});
  f.tmrPolling.SetInterval(app.settings.PollingInterval);
  f.tmrComInTimeOut.SetInterval(10000);
  f.lblLatitude.SetToolTip("Latidude Click to change from Gps degrees to Decimal degrees");
  f.lblLongitude.SetToolTip("Longitude Click to change from Gps degrees to Decimal degrees");
  FillMonthTable(app);
  FillCompassTexts(app);
  if (app.settings.DecimalDegrees) ShowDegrees(app, true);
  ExtractingGPRMC(app, app.poll.RxText);
}

}  // namespace koralin
