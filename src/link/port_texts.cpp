#include "link/port_texts.h"

#include <cerrno>
#include <cstring>

namespace kv3 {

namespace {

// Texts with "{}" where the COM number or a device name goes.
constexpr Text2 kNotChosen{"未选择端口", "no port chosen"};
constexpr Text2 kNoDevice{"COM{} 没有对应的串口设备", "no serial device is COM{}"};
constexpr Text2 kNotPluggedIn{"COM{} 保留给未插入的设备 {}",
                              "COM{} is kept for {}, which is not plugged in"};
constexpr Text2 kNotFound{"没有这个设备", "no such device"};
constexpr Text2 kPermissionDenied{"没有权限：请把您的用户加入 dialout 组",
                                  "permission denied: add your user to the dialout group"};
constexpr Text2 kBusy{"已被其他程序占用", "in use by another program"};
constexpr Text2 kLineSettings{"串口不接受 9600 8N1 的设置：{}",
                              "the line settings 9600 8N1 were refused: {}"};
constexpr Text2 kGone{"设备已被拔出", "the device went away"};
constexpr Text2 kCannotOpen{"无法打开此端口", "the port could not be opened"};
constexpr Text2 kCannotOpenBecause{"无法打开此端口：{}", "{}"};
constexpr Text2 kPortMap{"{}（端口映射）", "{} (port map)"};
constexpr Text2 kKeptFor{"保留给未插入的设备 {}", "kept for {}, which is not plugged in"};
constexpr Text2 kTemporary{"{}（它的编号暂被端口映射占用）",
                           "{} (its own number is pinned to another device for now)"};
constexpr Text2 kSimulated{"内置的模拟对讲机", "the built-in simulated radio"};

// The text in the language with each "{}" replaced by the next value. The
// values are names and numbers, never converted to Traditional.
std::string Fill(const Text2& text, Language lang, std::initializer_list<std::string> values) {
  std::string out = Localize(text, lang);
  size_t at = 0;
  for (const std::string& value : values) {
    at = out.find("{}", at);
    if (at == std::string::npos) break;
    out.replace(at, 2, value);
    at += value.size();
  }
  return out;
}

}  // namespace

std::string PortErrorText(const PortError& e, Language lang) {
  const std::string n = std::to_string(e.number);
  switch (e.problem) {
    case PortProblem::None:
      return {};
    case PortProblem::NotChosen:
      return Localize(kNotChosen, lang);
    case PortProblem::NoDevice:
      return Fill(kNoDevice, lang, {n});
    case PortProblem::NotPluggedIn:
      return Fill(kNotPluggedIn, lang, {n, e.detail});
    case PortProblem::NotFound:
      return Localize(kNotFound, lang);
    case PortProblem::PermissionDenied:
      return Localize(kPermissionDenied, lang);
    case PortProblem::Busy: {
      // How the device is held, when that is known: "in use by another
      // program (process 123, lock file ...)".
      const std::string said = Localize(kBusy, Language::English);
      const bool told = e.detail.compare(0, said.size(), said) == 0;
      return Localize(kBusy, lang) + (told ? e.detail.substr(said.size()) : std::string());
    }
    case PortProblem::LineSettings:
      return Fill(kLineSettings, lang, {e.detail});
    case PortProblem::Gone:
      return Localize(kGone, lang);
    case PortProblem::Other:
      break;
  }
  return e.detail.empty() ? Localize(kCannotOpen, lang)
                          : Fill(kCannotOpenBecause, lang, {e.detail});
}

PortError PortErrorOfErrno(int error) {
  switch (error) {
    case EACCES:
    case EPERM:
      return {PortProblem::PermissionDenied, 0, {}};
    case ENOENT:
    case ENODEV:
    case ENXIO:
      return {PortProblem::NotFound, 0, {}};
    case EBUSY:
      return {PortProblem::Busy, 0, {}};
    default:
      return {PortProblem::Other, 0, std::strerror(error)};
  }
}

std::string ComPortText(const ComPort& port, Language lang) {
  const std::string device =
      port.device + (port.node.empty() || port.node == port.device ? "" : " (" + port.node + ")");
  switch (port.kind) {
    case ComPort::Kind::None:
      return {};
    case ComPort::Kind::Device:
      return device;
    case ComPort::Kind::PortMap:
      return Fill(kPortMap, lang, {device});
    case ComPort::Kind::Absent:
      return Fill(kKeptFor, lang, {port.id});
    case ComPort::Kind::Temporary:
      return Fill(kTemporary, lang, {device});
    case ComPort::Kind::Simulated:
      return Localize(kSimulated, lang);
  }
  return {};
}

}  // namespace kv3
