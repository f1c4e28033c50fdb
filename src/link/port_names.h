// Which device a port name means. On Linux COMn is the device the number was
// given to (link/port_numbers.h: a device keeps its number, a new one gets
// the lowest free), unless the per-user port map pins COMn to a device path.
// The port map is KV-3/ports in the configuration folder ($XDG_CONFIG_HOME,
// else ~/.config), lines "COMn /dev/path" ('#' starts a comment).
#pragma once

#include <map>
#include <string>
#include <vector>

#include "platform/serial_devices.h"  // SerialDevices

namespace kv3 {

// The port map file's path ("" when neither XDG_CONFIG_HOME nor HOME is set).
std::string PortMapPath();

// Reads a port map. Lines that are not "COMn PATH" (n 1..20) are reported in
// errors ("file:line: ...") and skipped; a missing file is an empty map.
std::map<int, std::string> LoadPortMap(const std::string& path, std::vector<std::string>* errors);

// The device behind COMn (n 1..20): the port map first, then the device the
// number is kept for (new devices get theirs now, and keep them); "" when
// there is none, or the device is not plugged in.
std::string ComPortDevice(int number);
// The same for `devices` when no number has been given out before: the port
// map's numbers, then the devices in order on the numbers left.
std::string ComPortDevice(int number, const std::map<int, std::string>& portMap,
                          const std::vector<std::string>& devices);

// "COM7" (any letter case) -> 7; 0 for anything else.
int ParseComPortName(const std::string& name);

// A readable reason for a failed open of a serial device, by errno.
std::string OpenFailureReason(int error);

}  // namespace kv3
