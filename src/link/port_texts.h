// The texts of the port dialog and of `kv3ctl ports` in the user's language:
// why a port did not open, and what stands behind a COM number.
#pragma once

#include <string>

#include "i18n/language.h"
#include "link/port_numbers.h"
#include "link/serial_port.h"

namespace kv3 {

// For example "no serial device is COM2" / "COM2 没有对应的串口设备".
std::string PortErrorText(const PortError& error, Language lang);

// The problem of a failed open(2), by errno.
PortError PortErrorOfErrno(int error);

// What COMn is: the device (with the node a by-id name leads to), "(port
// map)" after a pinned one, the device a number is kept for when it is not
// plugged in, the built-in simulated radio; "" when nothing is.
std::string ComPortText(const ComPort& port, Language lang);

}  // namespace kv3
