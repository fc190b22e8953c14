#include "terminal/terminal_state.h"

namespace koralin {

TerminalWindow::TerminalWindow(const char* name, Colour fore) : form(name, ""), screen(std::string(name) + ".screen") {
  screen.SetBackColor(colour::kBlack);
  screen.SetForeColor(fore);
  chkFreeze.SetCaption("Freeze Screen");
}

Form2::Form2() : TerminalWindow("Form2", colour::kGreen) {
  ChkSend2ComIn.SetCaption("Send");
  TxtSend.SetVisible(false);
  TxtSend.SetToolTip("This send text to comport when enter is pressed and always add a crlf.");
}

Form3::Form3() : TerminalWindow("Form3", colour::kRed) {}

Form4::Form4() { Command1.SetCaption("&Add Crc"); }

PortListing::PortListing() {
  cmdAssign.SetCaption("&Assign");
  lblStatus.SetCaption("Choose a device, type a port number and press Assign; the port opens it from then on.");
}

}  // namespace koralin
