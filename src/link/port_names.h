// Which device a port name means. On Linux COMn is the n-th serial device in a
// stable order (USB adapters by id first, then /dev/ttyUSB*, /dev/ttyACM*,
// /dev/ttyS*, each sorted naturally), unless the per-user port map pins COMn
// to a device path. The port map is KV-3/ports in the configuration folder
// ($XDG_CONFIG_HOME, else ~/.config), lines "COMn /dev/path" ('#' starts a
// comment).
#pragma once

#include <map>
#include <string>
#include <vector>

namespace kv3 {

// The serial devices of the machine in COMn order (COM1 first), without the
// port map. Devices that /dev/serial/by-id links to are listed once, under
// their by-id name.
std::vector<std::string> SerialDevices();

// The port map file's path ("" when neither XDG_CONFIG_HOME nor HOME is set).
std::string PortMapPath();

// Reads a port map. Lines that are not "COMn PATH" (n 1..20) are reported in
// errors ("file:line: ...") and skipped; a missing file is an empty map.
std::map<int, std::string> LoadPortMap(const std::string& path, std::vector<std::string>* errors);

// The device behind COMn (n 1..20): the port map first, then the n-th of
// SerialDevices(); "" when there is none.
std::string ComPortDevice(int number);
std::string ComPortDevice(int number, const std::map<int, std::string>& portMap,
                          const std::vector<std::string>& devices);

// "COM7" (any letter case) -> 7; 0 for anything else.
int ParseComPortName(const std::string& name);

// A readable reason for a failed open of a serial device, by errno.
std::string OpenFailureReason(int error);

}  // namespace kv3
