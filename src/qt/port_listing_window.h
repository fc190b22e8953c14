// The serial-port listing window: the devices QSerialPortInfo finds, and
// assigning one to a port number.
#pragma once

#include <QTcpSocket>
#include <QWidget>

#include "app/app.h"

namespace koralin::qt {

// The serial devices present, as the core describes them (gpsd not asked).
std::vector<SerialDevice> SerialDevicesPresent();

class PortListingWindow : public QWidget {
 public:
  explicit PortListingWindow(App& app);
  // Lists the devices present again and shows the window.
  void Open();
  // Lists the devices again once gpsd has answered or not (at most 300 ms).
  void Refresh();

 private:
  App& app_;
  QTcpSocket* probe_ = nullptr;  // asks whether gpsd answers
};

}  // namespace koralin::qt
