#include "serial/port_listing.h"

#include <algorithm>
#include <cstdio>
#include <exception>

#include "app/app.h"
#include "common/basic.h"
#include "common/error.h"
#include "common/text_file.h"
#include "serial/port_target.h"

namespace koralin {

namespace {

// A longer text is never cut: a /dev/serial/by-id name is the one that
// matters, so it pushes the rest of its row along instead.
std::string Column(const std::string& text, std::size_t width) {
  return text + std::string(text.size() < width ? width - text.size() : 1, ' ');
}

// A ComPorts.cfg line no device present matched: a device or a pty is there
// when its path exists (a pty's link exists while a program holds it open);
// a network port is always there to be tried.
SerialDevice NamedOnly(const std::string& text) {
  SerialDevice d{text, "", "", -1, -1, false, "", true};
  try {
    const PortTarget t = ParseTarget(text);
    if (t.kind == TargetKind::kPty) d.description = "virtual port (pty)";
    if (t.kind == TargetKind::kDevice || t.kind == TargetKind::kPty) {
      d.present = FileExists(t.path);
    } else {
      d.description = "network port";
      d.present = true;
    }
  } catch (const RunTimeError&) {
    // A malformed line opens nothing.
  }
  return d;
}

std::string UsbId(const SerialDevice& d) {
  if (d.vendorId < 0 || d.productId < 0) return "-";
  char id[16];
  std::snprintf(id, sizeof id, "%04x:%04x", d.vendorId & 0xFFFF, d.productId & 0xFFFF);
  return id;
}

std::string PortsText(const std::vector<int>& ports) {
  if (ports.empty()) return "-";
  std::string text;
  for (int p : ports) text += (text.empty() ? "Com" : ",Com") + std::to_string(p);
  return text;
}

// The port number typed, or 0 when it is not a whole number from 1 to 31.
int TypedPort(const std::string& text) {
  const std::string t = Trim(text);
  if (t.empty() || t.size() > 2 || t.find_first_not_of("0123456789") != std::string::npos) return 0;
  const int n = static_cast<int>(Val(t));
  return n >= 1 && n <= kMaxComPort ? n : 0;
}

}  // namespace

std::vector<int> PortsFor(const ComPortMap& map, const std::string& path) {
  std::vector<int> ports;
  for (int n = 1; n <= kMaxComPort; ++n) {
    const auto it = map.find(n);
    if ((it != map.end() ? it->second : DefaultDevicePath(n)) == path) ports.push_back(n);
  }
  return ports;
}

std::string PortListingHeader() {
  return Column("Port", 12) + Column("Device", 22) + Column("USB id", 11) + Column("Maker", 22) + "Description";
}

std::string PortListingRow(const SerialDevice& d, const std::vector<int>& ports) {
  return Column(PortsText(ports), 12) + Column(d.path, 22) + Column(UsbId(d), 11) +
         Column(d.manufacturer.empty() ? "-" : d.manufacturer, 22) + (d.present ? d.description : "(not present)") +
         (d.stableName.empty() ? "" : "  " + d.stableName);
}

void FillPortListing(App& app, std::vector<SerialDevice> devices) {
  PortListing& l = app.terminal.listing;
  const ComPortMap map = ReadComPorts(app.platform.system.AppPath());
  std::sort(devices.begin(), devices.end(), [](const auto& a, const auto& b) { return a.path < b.path; });
  for (const auto& entry : map) {
    const std::string& path = entry.second;  // clang 14 cannot capture a structured binding
    const bool present = std::any_of(devices.begin(), devices.end(), [&](const auto& d) {
      return d.path == path || d.stableName == path;
    });
    if (!present) devices.push_back(NamedOnly(path));
  }
  // The selection stays on the same device.
  const int selected = l.lstDevices.ListIndex();
  const std::string selectedPath =
      selected >= 0 && selected < static_cast<int>(l.devices.size()) ? l.devices[selected].path : "";
  l.devices = std::move(devices);
  l.lstDevices.Clear();
  int index = -1;
  for (const SerialDevice& d : l.devices) {
    if (d.path == selectedPath) index = static_cast<int>(l.lstDevices.Items().size());
    std::vector<int> ports = PortsFor(map, d.path);
    if (!d.stableName.empty()) {
      for (int p : PortsFor(map, d.stableName)) ports.push_back(p);
      std::sort(ports.begin(), ports.end());
    }
    l.lstDevices.AddItem(PortListingRow(d, ports));
  }
  l.lstDevices.SetListIndex(index);
  if (l.devices.empty()) l.lblStatus.SetCaption("No serial device found. Is the receiver plugged in?");
}

void cmdAssign_Click(App& app) {
  PortListing& l = app.terminal.listing;
  const int row = l.lstDevices.ListIndex();
  if (row < 0 || row >= static_cast<int>(l.devices.size())) {
    l.lblStatus.SetCaption("Choose a device in the list first.");
    return;
  }
  const int port = TypedPort(l.txtPortNumber.Text());
  if (port == 0) {
    l.lblStatus.SetCaption("Give a port number from 1 to 31.");
    return;
  }
  // The stable name still opens the receiver after it moves to another socket.
  const SerialDevice& d = l.devices[static_cast<std::size_t>(row)];
  const std::string path = d.stableName.empty() ? d.path : d.stableName;
  try {
    SaveComPort(app.platform.system.AppPath(), port, path);
  } catch (const std::exception& e) {
    l.lblStatus.SetCaption(std::string("Not saved: ") + e.what());
    return;
  }
  std::vector<SerialDevice> devices = l.devices;
  std::erase_if(devices, [](const SerialDevice& d) { return d.named; });
  FillPortListing(app, std::move(devices));
  l.lblStatus.SetCaption("Com" + std::to_string(port) + " now opens " + path + " (saved in ComPorts.cfg).");
}

}  // namespace koralin
