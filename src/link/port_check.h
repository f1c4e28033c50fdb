// Why a serial device does not open, told apart by looking at it without
// waiting: a path that is no character device (a FIFO, a file, a folder), a
// device that another program holds (an exclusive open, a lock on the
// device, the lock file of a live process), or one the user may not open.
#pragma once

#include <string>

namespace kv3 {

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
// when that process is alive; 0 otherwise.
int LiveLockOwner(const std::string& lockFile);

}  // namespace kv3
