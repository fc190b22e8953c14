// The serial-port listing window: the devices QSerialPortInfo finds, and
// assigning one to a port number.
#pragma once

#include <QWidget>

#include "app/app.h"

namespace koralin::qt {

// The serial devices present, as the core describes them.
std::vector<SerialDevice> SerialDevicesPresent();

class PortListingWindow : public QWidget {
 public:
  explicit PortListingWindow(App& app);
  // Lists the devices present again and shows the window.
  void Open();
  void Refresh();

 private:
  App& app_;
};

}  // namespace koralin::qt
