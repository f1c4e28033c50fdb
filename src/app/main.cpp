// kv3-programmer: the desktop program.
#include <QApplication>
#include <QElapsedTimer>
#include <QIcon>
#include <QTimer>
#include <cstdio>
#include <cstring>
#include <ctime>
#include <fstream>
#include <map>
#include <string>

#include "app/main_window.h"
#include "kv3_version.h"
#include "link/port_names.h"
#include "link/serial_port.h"

namespace {

constexpr char kUsage[] =
    "Usage: kv3-programmer [--simulate] [--port-map COMn=DEVICE]... [FILE]\n"
    "\n"
    "The KV-3(T2) programming software.\n"
    "\n"
    "  --simulate              COM1 is a built-in simulated radio: read, edit and\n"
    "                          write without a radio (choose COM1 in the\n"
    "                          communication port dialog if another port is saved).\n"
    "  --port-map COMn=DEVICE  COMn (1..20) opens DEVICE, for example\n"
    "                          --port-map COM3=/dev/ttyUSB0 or a pseudo-terminal;\n"
    "                          may be given several times.\n"
    "  --benchmark-startup     print the milliseconds from process start to the\n"
    "                          first paint of the main window and the resident\n"
    "                          memory one second later, then quit.\n"
    "  --version               print the program's name and version.\n"
    "  -h, --help              show this help.\n"
    "\n"
    "FILE, a codeplug (.DAT) the desktop hands over, is opened as File > Open\n"
    "opens it; a CSV channel list (.csv) or a JSON codeplug (.json) is imported\n"
    "as File > Import imports it.\n"
    "\n"
    "The lock, the port and the language are kept in\n"
    "$XDG_CONFIG_HOME/KV-3/parameter (default ~/.config/KV-3/parameter), the\n"
    "recent files in $XDG_CONFIG_HOME/KV-3/recent-files, and unsaved edits, until\n"
    "they are saved, in $XDG_DATA_HOME/KV-3/unsaved-edits (default\n"
    "~/.local/share/KV-3/unsaved-edits).\n";

struct Options {
  kv3::StartupOptions startup;
  bool benchmark = false;
  QStringList files;  // codeplugs named on the command line (the desktop's %f)
};

// Parses the program's own options; false (with a message) on a bad one.
bool ParseOptions(const QStringList& args, Options& options, bool& help) {
  for (qsizetype i = 1; i < args.size(); ++i) {
    const QString arg = args[i];
    if (arg == "-h" || arg == "--help") {
      help = true;
    } else if (arg == "--simulate") {
      options.startup.simulate = true;
    } else if (arg == "--benchmark-startup") {
      options.benchmark = true;
    } else if (arg == "--port-map" || arg.startsWith("--port-map=")) {
      QString value;
      if (arg == "--port-map") {
        if (++i >= args.size()) {
          std::fprintf(stderr, "kv3-programmer: --port-map needs COMn=DEVICE\n");
          return false;
        }
        value = args[i];
      } else {
        value = arg.mid(static_cast<qsizetype>(std::strlen("--port-map=")));
      }
      const qsizetype eq = value.indexOf('=');
      const int number = eq > 0 ? kv3::ParseComPortName(value.left(eq).toStdString()) : 0;
      const QString device = eq > 0 ? value.mid(eq + 1) : QString();
      if (number < kv3::kFirstComPort || number > kv3::kLastComPort || device.isEmpty()) {
        std::fprintf(stderr, "kv3-programmer: bad --port-map '%s': expected COMn=DEVICE, n 1..20\n",
                     value.toLocal8Bit().constData());
        return false;
      }
      options.startup.portMap[number] = device.toStdString();
    } else if (!arg.startsWith('-') || arg == "-") {
      options.files << arg;
    } else {
      std::fprintf(stderr, "kv3-programmer: unknown option '%s'\n%s", arg.toLocal8Bit().constData(),
                   kUsage);
      return false;
    }
  }
  return true;
}

long ResidentKilobytes() {
  std::ifstream status("/proc/self/status");
  std::string line;
  while (std::getline(status, line)) {
    if (line.rfind("VmRSS:", 0) == 0) return std::atol(line.c_str() + 6);
  }
  return -1;
}

// Prints the wall-clock time of the first paint (nanoseconds since the
// epoch, for a script that noted when it started the process), the time
// since main() began, and the resident memory once idle; then quits.
class StartupProbe : public QObject {
 public:
  StartupProbe(QWidget* window, const QElapsedTimer& sinceMain)
      : window_(window), sinceMain_(sinceMain) {
    window->installEventFilter(this);
  }

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override {
    if (watched == window_ && event->type() == QEvent::Paint && !done_) {
      done_ = true;
      QTimer::singleShot(0, this, [this] {
        timespec now{};
        clock_gettime(CLOCK_REALTIME, &now);
        std::printf("shown_at_ns %lld\nmain_to_shown_ms %.1f\n",
                    static_cast<long long>(now.tv_sec) * 1000000000LL + now.tv_nsec,
                    sinceMain_.nsecsElapsed() / 1e6);
        std::fflush(stdout);
        QTimer::singleShot(1000, this, [] {
          std::printf("idle_rss_kb %ld\n", ResidentKilobytes());
          std::fflush(stdout);
          QApplication::quit();
        });
      });
    }
    return false;
  }

 private:
  QWidget* window_;
  const QElapsedTimer& sinceMain_;
  bool done_ = false;
};

// --help and --version are answered before the windowing system is reached,
// so that they work without a display.
bool AnswerWithoutWindows(int argc, char** argv, int& exitCode) {
  for (int i = 1; i < argc; ++i) {
    if (std::strcmp(argv[i], "--version") == 0) {
      std::printf("kv3-programmer %s\n", kv3::kProgramVersion);
      exitCode = 0;
      return true;
    }
    if (std::strcmp(argv[i], "--help") == 0 || std::strcmp(argv[i], "-h") == 0) {
      std::fputs(kUsage, stdout);
      exitCode = 0;
      return true;
    }
  }
  return false;
}

}  // namespace

int main(int argc, char** argv) {
  QElapsedTimer sinceMain;
  sinceMain.start();
  if (int code = 0; AnswerWithoutWindows(argc, argv, code)) return code;
  QApplication app(argc, argv);
  QApplication::setApplicationName("kv3-programmer");
  QApplication::setApplicationVersion(kv3::kProgramVersion);
  // The desktop entry of the installed program (its name, icon and file type).
  QGuiApplication::setDesktopFileName("example.kv3radio.Programmer");
  QApplication::setWindowIcon(QIcon::fromTheme("example.kv3radio.Programmer"));

  Options options;
  bool help = false;
  if (!ParseOptions(QApplication::arguments(), options, help)) return 2;
  if (help) {
    std::fputs(kUsage, stdout);
    return 0;
  }
  options.startup.keepUnsavedEdits = !options.benchmark;
  kv3::MainWindow window(std::move(options.startup));
  // Closing the main window ends the program, whatever other window is open.
  QObject::connect(&window, &kv3::MainWindow::closed, &app, &QApplication::quit,
                   Qt::QueuedConnection);
  std::unique_ptr<StartupProbe> probe;
  if (options.benchmark) probe = std::make_unique<StartupProbe>(&window, sinceMain);
  window.show();
  window.OpenWhenShown(options.files);
  return QApplication::exec();
}
