// The terminal windows, the checksum tool, the information boxes and the
// serial-port listing: their window models and the terminals' stored texts.
#pragma once

#include <array>
#include <string>
#include <vector>

#include "display/controls.h"
#include "display/form1.h"

namespace koralin {

// The surface a terminal prints on: what is shown, in which colours.
class TerminalScreen : public Control {
 public:
  using Control::Control;
  const std::string& Text() const { return text_; }
  void Cls() { Set(text_, std::string()); }
  void Print(std::string text) { Set(text_, std::move(text)); }
  Colour BackColor() const { return back_; }
  void SetBackColor(Colour c) { Set(back_, c); }
  Colour ForeColor() const { return fore_; }
  void SetForeColor(Colour c) { Set(fore_, c); }

 private:
  std::string text_;
  Colour back_ = colour::kBlack;
  Colour fore_ = colour::kGreen;
};

// What both terminal windows have. ScaleWidth and ScaleHeight are the inner
// area in twips, reported by whoever shows the window.
struct TerminalWindow {
  explicit TerminalWindow(const char* name, Colour fore);
  Window form;
  TerminalScreen screen;
  CheckBox chkFreeze{"chkFreeze"};
  int ScaleWidth = 0, ScaleHeight = 0;
  bool loaded = false;
  Notifier onClick;        // a click on the surface
  Notifier onQueryUnload;  // the close box
  Notifier onResize;       // ScaleWidth or ScaleHeight changed
};

// Terminal In.
struct Form2 : TerminalWindow {
  Form2();
  CheckBox ChkSend2ComIn{"ChkSend2ComIn"};
  TextBox TxtSend{"TxtSend"};
  Notifier onTxtSendEnter;
  Notifier focusTxtSend;  // the face puts the keyboard focus into TxtSend
};

// Terminal Out.
struct Form3 : TerminalWindow {
  Form3();
};

// The checksum tool.
struct Form4 {
  Form4();
  Window form{"Form4", ""};
  Label Label1{"Label1"};
  TextBox Text1{"Text1"};
  CommandButton Command1{"Command1"};
  bool loaded = false;
  Notifier onQueryUnload;
};

// One serial device present on the system.
struct SerialDevice {
  std::string path;  // "/dev/ttyUSB0"
  std::string description;
  std::string manufacturer;
  int vendorId = -1, productId = -1;  // -1: not a USB device
  bool present = true;                // false: named in ComPorts.cfg and missing
  std::string stableName{};           // "/dev/serial/by-id/usb-...": the same in any USB socket
  bool named = false;                 // only ComPorts.cfg names it
};

// The serial-port listing: the devices present, the port numbers that open
// each, and the assignment of a device to a number.
struct PortListing {
  PortListing();
  Window form{"frmPortListing", "Serial ports"};
  std::vector<SerialDevice> devices;
  ListBox lstDevices{"lstDevices"};  // one row per device, as shown
  TextBox txtPortNumber{"txtPortNumber"};
  CommandButton cmdAssign{"cmdAssign"};
  Label lblStatus{"lblStatus"};
};

struct TerminalState {
  // Element 0 is Terminal Out, element 1 Terminal In.
  std::array<std::string, 2> TerminalText;
  bool FreezeIn = false;
  bool FreezeOut = false;
  // A warning for Terminal Out that waits until it is next open.
  std::string OutNotice;
  Form2 form2;
  Form3 form3;
  Form4 form4;
  PortListing listing;
  // Terminal Out was cleared: the relay forgets the texts it last sent.
  Notifier terminalOutCleared;
  // The face gives the keyboard focus to the main window.
  Notifier focusMainWindow;
};

}  // namespace koralin
