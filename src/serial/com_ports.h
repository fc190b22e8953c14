// ComPorts.cfg: which device a port number opens. One line "N=/dev/..." per
// number, in the settings folder; a number without a line opens
// /dev/ttyS<N-1>.
#pragma once

#include <map>
#include <string>
#include <string_view>
#include <vector>

namespace koralin {

inline constexpr int kMaxComPort = 31;
inline constexpr const char* kComPortsFile = "ComPorts.cfg";

using ComPortMap = std::map<int, std::string>;

std::string DefaultDevicePath(int port);
// The port number a line gives a device to; 0 for any other line.
int LinePort(std::string_view line);
// The lines of the file without their line ends; none when it is missing.
// Anything but a regular file of at most 1 MB raises RunTimeError naming it.
std::vector<std::string> ComPortsLines(const std::string& settingsFolder);
// The numbers that have a line of their own; the first line of a number wins.
ComPortMap ReadComPorts(const std::string& settingsFolder);
// The device port number `port` opens.
std::string DevicePath(const std::string& settingsFolder, int port);
// Gives port a device of its own (an empty path drops its line), keeping
// every other line. Written to a new file that replaces the old one, so a
// failure never leaves half a file; raises RunTimeError when it cannot.
void SaveComPort(const std::string& settingsFolder, int port, const std::string& path);

}  // namespace koralin
