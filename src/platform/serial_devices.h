// The serial devices of the machine, and why one of them does not open, told
// apart by looking at it without waiting: a path that is no character device
// (a FIFO, a file, a folder), a device that another program holds (an
// exclusive open, a lock on the device, the lock file of a live process), or
// one the user may not open. On Windows the devices are the COM names the
// system knows (COM1, COM7, ...).
#pragma once

#include <string>
#include <vector>

namespace kv3 {

// The serial devices of the machine in a stable order: on Linux USB adapters
// by id first, then /dev/ttyUSB*, /dev/ttyACM*, /dev/ttyS* with a driver,
// each sorted naturally, the order in which new devices get their numbers.
// Devices that /dev/serial/by-id links to are listed once, under their by-id
// name, which is their stable id. On Windows the COM names, sorted naturally.
std::vector<std::string> SerialDevices();

// "ttyUSB10" after "ttyUSB9", "COM10" after "COM9": digit runs compare by value.
bool NaturalLess(const std::string& a, const std::string& b);

// Why the path cannot be a serial device ("not a serial device: a FIFO");
// empty for a character device and for a path that does not exist.
std::string NotASerialDevice(const std::string& path);

// Whether another program holds the device, and how ("in use by another
// program: ..."); empty when nothing says so. Opens the device itself
// without waiting (and closes it at once).
std::string DeviceHeldBy(const std::string& path);

// The lock file names of a device that programs make in the lock folders:
// "LCK..ttyUSB0" for /dev/ttyUSB0, "LCK..pts_3" for /dev/pts/3.
std::string LockFileName(const std::string& path);

// The process of a lock file (its first number, as text or as a binary int)
// when that process is alive; 0 otherwise (always 0 where devices have no
// lock files, as on Windows).
int LiveLockOwner(const std::string& lockFile);

}  // namespace kv3
