#include "link/serial_port.h"

namespace kv3 {

void OpenCom(SerialPort& port, int ComPortNumber) {
  port.Close();
  port.SetPortNumber(ComPortNumber);
  port.Open();
}

PortScanResult ScanPorts(SerialPort& port, int& ComPortNumber) {
  PortScanResult result;
  int first = 0;
  for (int n = kFirstComPort; n <= kLastComPort; ++n) {
    port.Close();
    port.SetPortNumber(n);
    port.Open();
    if (port.IsOpen()) {
      result.available[n - 1] = true;
      ++result.found;
      if (first == 0) first = n;
    }
  }
  if (ComPortNumber >= kFirstComPort && ComPortNumber <= kLastComPort &&
      result.available[ComPortNumber - 1]) {
    result.selectedOption = ComPortNumber - 1;
    OpenCom(port, ComPortNumber);
  } else if (result.found == 1) {
    ComPortNumber = first;
    OpenCom(port, ComPortNumber);
  } else {
    port.Close();
  }
  return result;
}

}  // namespace kv3
