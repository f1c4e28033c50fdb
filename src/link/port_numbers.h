// COM numbers that stay with their devices (Linux).
//
// The first time a serial device is seen it gets the lowest COM number that
// is neither kept for another device nor pinned by a port map. The number is
// kept per user, in PortNumbersPath(), under the device's stable id: its
// /dev/serial/by-id name where it has one, else its device path (the names
// SerialDevices() lists). A device that is unplugged keeps its number, and
// no other device is given it, so a saved COM number never opens another
// device. A port map (the file of port_names.h and --port-map) still comes
// first: a pinned number opens the pinned device, and a device whose kept
// number is pinned to another path gets the lowest free number for that run
// only, keeping its own for the runs without the pin.
#pragma once

#include <array>
#include <map>
#include <string>
#include <vector>

#include "link/serial_port.h"

namespace kv3 {

// <config>/KV-3/port-numbers; "" when there is no configuration folder.
// One number a line: "COMn ID".
std::string PortNumbersPath();

// Reads the kept numbers. Lines that are not "COMn ID", and a number or an id
// given twice, are skipped (and reported in errors when given); a missing
// file keeps none.
std::map<int, std::string> LoadPortNumbers(const std::string& path,
                                           std::vector<std::string>* errors);
// Replaces the file atomically; false, with the reason in error, when it
// could not be written.
bool SavePortNumbers(const std::string& path, const std::map<int, std::string>& numbers,
                     std::string* error);

// What stands behind one COM number.
struct ComPort {
  enum class Kind {
    None,       // nothing: the number is free
    Device,     // a device, by the number kept for it
    PortMap,    // the device a port map pins to this number
    Absent,     // kept for a device that is not plugged in
    Temporary,  // a device whose own number is pinned to another path for now
    Simulated,  // the built-in simulated radio
  };
  Kind kind = Kind::None;
  std::string device;  // what to open; "" for None and Absent
  std::string id;      // the device's stable id (Device, Absent, Temporary)
  std::string node;    // the device node a by-id name leads to, when known
};

struct PortAssignment {
  std::array<ComPort, kLastComPort> ports{};  // COM1 first
  std::map<int, std::string> numbers;         // the kept numbers, new ones included
  bool changed = false;                       // a new device was given a number
  std::vector<std::string> unnumbered;        // devices no number was left for
  std::string saveError;                      // why the new numbers were not kept

  // COMn, n from 1 to 20.
  const ComPort& operator[](int number) const { return ports[static_cast<size_t>(number - 1)]; }
};

// The numbers of the devices present (stable ids, in the order of
// SerialDevices), given the numbers kept so far and the pinned ones.
PortAssignment AssignPortNumbers(const std::map<int, std::string>& kept,
                                 const std::map<int, std::string>& pinned,
                                 const std::vector<std::string>& devices);

// This machine's numbers now: the port map file with `pins` over it, the
// kept numbers and the devices present. New numbers are saved at once.
PortAssignment CurrentPortAssignment(const std::map<int, std::string>& pins = {});

}  // namespace kv3
