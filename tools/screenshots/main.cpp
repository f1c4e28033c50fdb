// kv3-screenshots: the pictures of the manual, made from the program itself.
//
//   kv3-screenshots OUT [--lang en|zh-Hans|zh-Hant]... [--window NAME]...
//
// Starts the main window on its built-in simulated radio (the demo codeplug)
// in a private configuration folder, reads the radio (Read Frequency), then for
// each language chooses it in the Languages menu, opens each window through
// its menu item and saves it as OUT/<language>/<window>.png. Every language
// and every window unless told otherwise. Exits 1, naming what failed, when a
// menu item or a window is missing, the read does not succeed or a message
// box appears: a window change that breaks the pictures is seen at once.
// Runs on a real display (script/screenshots starts it under Xvfb).
#include <QAction>
#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QImage>
#include <QMenu>
#include <QMenuBar>
#include <QPainter>
#include <QPixmap>
#include <QTemporaryDir>
#include <QWindow>
#include <cstdio>
#include <functional>
#include <string>
#include <vector>

#include "app/main_window.h"
#include "codeplug/codec.h"
#include "dialogs/help_topics.h"
#include "editor/ui/channel_grid_view.h"
#include "i18n/ui/qt_message_box.h"
#include "interchange/backups.h"
#include "link/qt/qt_link.h"

namespace {

struct Shot {
  const char* name;    // the picture's file name without .png
  const char* action;  // the menu item that opens the window ("" for the main window)
  const char* window;  // the window's object name
  // What is set up before the window is taken.
  enum class Setup { None, Edited, Backups } setup = Setup::None;
};

constexpr Shot kShots[] = {
    {"main-window", "", "Form1"},
    // The main window with its Edit menu open, rows selected and the
    // problems list shown (the README's picture of editing).
    {"editing", "mnuEdit", "Form1"},
    {"optional-functions", "mnudtmf", "Form5"},
    {"keys-set", "Key_enactment", "Form6"},
    {"embedded-info", "mnusetin", "Form7"},
    {"test-frequencies", "mnutestfre", "Form4"},
    {"power-tuning", "mnudebug", "Form2"},
    {"ports", "mnucom", "FormCOM"},
    {"about", "mnuabout", "frmAbout"},
    {"backups", "mnuBackups", "frmBackups", Shot::Setup::Backups},
    {"compare", "mnuCompareRadio", "frmCompare", Shot::Setup::Edited},
};

// A few edits, so that a comparison with the radio has something to show.
void EditForTheComparison(kv3::EditorState& state) {
  state.grid.channels[2].rx = kv3::Freq4FromUnits(43912500);
  state.grid.channels[6] = state.grid.channels[5];
  state.settings.squelch = 3;
  state.shared.EmbeddedInfoText[1] = "CH1-7 PROGRAMMED";
}

// The backups folder as the picture shows it, the same on every run: a read
// of the radio and a write of it edited, at fixed times.
bool FixedBackups(const kv3::EditorState& radio) {
  const std::string folder = kv3::DefaultBackupFolder();
  QDir(QString::fromStdString(folder)).removeRecursively();
  kv3::EditorState edited = radio;
  EditForTheComparison(edited);
  const auto read = std::chrono::system_clock::time_point(std::chrono::seconds(1796581534));
  return kv3::SaveBackup(kv3::EncodeImage(radio), folder, read).ok &&
         kv3::SaveBackup(kv3::EncodeImage(edited), folder, read + std::chrono::minutes(7),
                         kv3::kBackupsKept, kv3::BackupKind::Write)
             .ok;
}

struct LanguageChoice {
  kv3::Language lang;
  const char* action;
};

constexpr LanguageChoice kLanguages[] = {
    {kv3::Language::Simplified, "mnuChineseJ"},
    {kv3::Language::Traditional, "mnuChineseF"},
    {kv3::Language::English, "mnuEnglish"},
};

// A message box would wait for a person: its prompt is noted and it is
// answered at once with its default button; the run then fails.
class NotedMessages : public kv3::MessagePresenter {
 public:
  kv3::MessageButton Present(const kv3::MessageRequest& request) override {
    const kv3::MessageRecord record = kv3::RecordOf(request);
    prompts << record.prompt;
    return static_cast<kv3::MessageButton>(record.defaultCode);
  }
  QStringList prompts;
};

// The bound of every wait for something that happens by itself.
constexpr int kGenerousMs = 30000;

int Fail(const QString& what) {
  std::fprintf(stderr, "kv3-screenshots: %s\n", what.toLocal8Bit().constData());
  return 1;
}

// Runs the event loop until `done` holds; false after kGenerousMs.
bool WaitFor(const std::function<bool()>& done) {
  QElapsedTimer timer;
  timer.start();
  while (!done()) {
    if (timer.elapsed() > kGenerousMs) return false;
    QCoreApplication::processEvents(QEventLoop::AllEvents, 50);
  }
  return true;
}

QWidget* TopLevel(const char* objectName) {
  for (QWidget* w : QApplication::topLevelWidgets())
    if (w->objectName() == QLatin1String(objectName)) return w;
  return nullptr;
}

bool Exposed(QWidget* w) {
  return w->isVisible() && w->windowHandle() && w->windowHandle()->isExposed();
}

// The window as it is drawn, compressed as far as PNG goes.
bool SavePicture(QWidget* window, const QString& file) {
  QImage image = window->grab().toImage().convertToFormat(QImage::Format_RGB32);
  return image.save(file, "PNG", 0);
}

// The window with an open menu drawn over it where it is on the screen (a
// menu is a window of its own).
bool SaveWithMenu(QWidget* window, QMenu* menu, const QString& file) {
  const QPixmap base = window->grab();
  const QPixmap popup = menu->grab();
  const QPoint at = menu->geometry().topLeft() - window->mapToGlobal(QPoint(0, 0));
  const QRect all = QRect(QPoint(0, 0), base.deviceIndependentSize().toSize())
                        .united(QRect(at, popup.deviceIndependentSize().toSize()));
  QImage image(all.size(), QImage::Format_RGB32);
  image.fill(window->palette().color(QPalette::Window));
  QPainter painter(&image);
  painter.drawPixmap(-all.topLeft(), base);
  painter.drawPixmap(at - all.topLeft(), popup);
  painter.end();
  return image.save(file, "PNG", 0);
}

// Opens the Edit menu under its title, with channels 2 to 4 selected and the
// problems list shown; returns the menu.
QMenu* OpenEditMenu(kv3::MainWindow& window) {
  auto* menu = window.findChild<QMenu*>("mnuEdit");
  auto* problems = window.findChild<QAction*>("mnuProblems");
  if (!menu || !problems) return nullptr;
  if (!problems->isChecked()) problems->trigger();
  window.grid().SelectRows(2, 4);
  window.grid().setFocus();
  const QRect title = window.menuBar()->actionGeometry(menu->menuAction());
  menu->popup(window.menuBar()->mapToGlobal(title.bottomLeft()));
  return menu;
}

}  // namespace

int main(int argc, char** argv) {
  // The backups' times are shown in local time: the pictures take UTC, set
  // before anything asks for the time zone.
  qputenv("TZ", "UTC");
  QApplication app(argc, argv);
  QStringList args = QApplication::arguments();
  if (args.size() < 2 || args[1].startsWith("-")) {
    std::fputs("usage: kv3-screenshots OUT [--lang en|zh-Hans|zh-Hant]... [--window NAME]...\n",
               stderr);
    return 2;
  }
  const QString out = args[1];
  std::vector<LanguageChoice> languages;
  std::vector<Shot> shots;
  for (qsizetype i = 2; i < args.size(); ++i) {
    if (i + 1 >= args.size()) return Fail("option " + args[i] + " needs a value");
    const QString value = args[++i];
    if (args[i - 1] == "--lang") {
      kv3::Language lang;
      if (!kv3::ParseLanguage(value.toStdString(), lang)) return Fail("unknown language " + value);
      for (const LanguageChoice& c : kLanguages)
        if (c.lang == lang) languages.push_back(c);
    } else if (args[i - 1] == "--window") {
      const Shot* found = nullptr;
      for (const Shot& s : kShots)
        if (value == QLatin1String(s.name)) found = &s;
      if (!found) return Fail("unknown window " + value);
      shots.push_back(*found);
    } else {
      return Fail("unknown option " + args[i - 1]);
    }
  }
  if (languages.empty()) languages.assign(std::begin(kLanguages), std::end(kLanguages));
  if (shots.empty()) shots.assign(std::begin(kShots), std::end(kShots));

  // A private configuration: no saved port, lock or language of the user's,
  // and the read's backup lands in the temporary folder.
  QTemporaryDir home;
  if (!home.isValid()) return Fail("no temporary folder");
  qputenv("XDG_CONFIG_HOME", (home.path() + "/config").toUtf8());
  qputenv("XDG_DATA_HOME", (home.path() + "/data").toUtf8());
  QDir(home.path()).mkpath("config/KV-3");
  kv3::StartupOptions options;
  options.simulate = true;
  options.parameterPath = (home.path() + "/config/KV-3/parameter").toStdString();
  options.languageHintPath = (home.path() + "/config/KV-3/KV-3.ini").toStdString();
  {
    // Unlocked, COM1 (the simulated radio), Simplified Chinese.
    QFile parameter(QString::fromStdString(options.parameterPath));
    if (!parameter.open(QIODevice::WriteOnly)) return Fail("cannot write the parameter file");
    parameter.write(QByteArray("\x00\x01\x00", 3));
  }

  kv3::MainWindow window(options);
  NotedMessages noted;
  window.SetMessagePresenter(&noted);
  const QStringList& messages = noted.prompts;
  window.show();
  if (!WaitFor([&] { return Exposed(&window); })) return Fail("the main window was not shown");
  window.FinishStartup();
  auto action = [&window](const char* name) { return window.findChild<QAction*>(name); };

  // Read the simulated radio (Programming > Read Frequency).
  bool read = false, ended = false;
  QObject::connect(&window.session(), &kv3::QtSession::imageRead, [&read] { read = true; });
  QObject::connect(&window.session(), &kv3::QtSession::controlsEnabledChanged,
                   [&](bool enabled) { ended = read && enabled; });
  QAction* readFrequency = action("mnureadFre");
  if (!readFrequency) return Fail("no menu item mnureadFre");
  readFrequency->trigger();
  if (!WaitFor([&] { return ended || !messages.isEmpty(); }) || !messages.isEmpty())
    return Fail("the read of the simulated radio did not succeed: " + messages.join("; "));

  for (const LanguageChoice& language : languages) {
    QAction* choose = action(language.action);
    if (!choose) return Fail(QStringLiteral("no menu item ") + language.action);
    choose->trigger();
    const QString folder = out + "/" + kv3::HelpLanguageFolder(language.lang);
    if (!QDir().mkpath(folder)) return Fail("cannot make " + folder);
    for (const Shot& shot : shots) {
      const kv3::EditorState radio = window.state();
      if (shot.setup == Shot::Setup::Edited) {
        EditForTheComparison(window.state());
        window.LoadFromState();
      }
      if (shot.setup == Shot::Setup::Backups && !FixedBackups(radio))
        return Fail("cannot write the backups");
      QWidget* target = &window;
      if (QLatin1String(shot.action) == QLatin1String("mnuEdit")) {
        QMenu* menu = OpenEditMenu(window);
        if (!menu) return Fail("no Edit menu or no problems list");
        if (!WaitFor([&] { return Exposed(menu) && Exposed(&window); }))
          return Fail("the Edit menu was not shown");
        QCoreApplication::processEvents();
        const QString file = folder + "/" + shot.name + ".png";
        if (!SaveWithMenu(&window, menu, file)) return Fail("cannot write " + file);
        menu->hide();
        window.findChild<QAction*>("mnuProblems")->trigger();
        window.grid().clearSelection();
        if (!messages.isEmpty()) return Fail("unexpected message: " + messages.join("; "));
        continue;
      }
      if (*shot.action) {
        QAction* open = action(shot.action);
        if (!open) return Fail(QStringLiteral("no menu item ") + shot.action);
        open->trigger();
        // A window that comes after a session (the comparison with the
        // radio) is taken once the session's controls are back.
        WaitFor([&] { return TopLevel(shot.window) && readFrequency->isEnabled(); });
        target = TopLevel(shot.window);
        if (!target) return Fail(QStringLiteral("no window ") + shot.window);
      }
      if (!WaitFor([&] { return Exposed(target); }))
        return Fail(QStringLiteral("the window ") + shot.window + " was not shown");
      QCoreApplication::processEvents();
      const QString file = folder + "/" + shot.name + ".png";
      if (!SavePicture(target, file)) return Fail("cannot write " + file);
      if (target != &window) target->hide();
      if (shot.setup == Shot::Setup::Edited) {
        window.state() = radio;
        window.LoadFromState();
      }
      if (!messages.isEmpty()) return Fail("unexpected message: " + messages.join("; "));
    }
  }
  return 0;
}
