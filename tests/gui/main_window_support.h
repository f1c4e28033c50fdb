// Shared helpers of the window tests: a private configuration folder,
// message boxes and file dialogs answered by the test, widgets by name, and a
// started main window.
#pragma once

#include <QAction>
#include <QApplication>
#include <QByteArray>
#include <QComboBox>
#include <QDir>
#include <QEventLoop>
#include <QFile>
#include <QLabel>
#include <QList>
#include <QMenu>
#include <QPointer>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <deque>
#include <functional>
#include <memory>

#include "app/main_window.h"
#include "dialogs/ui/file_dialogs.h"
#include "editor/ui/channel_grid_model.h"
#include "editor/ui/channel_grid_view.h"
#include "i18n/ui/qt_message_box.h"

namespace kv3test {

// The bound of a wait for something that happens by itself (a session, the
// blink timer's last tick): generous, as a loaded machine may be slow; a test
// that passes never waits that long.
inline constexpr int kGenerous = 30000;

// XDG_CONFIG_HOME points at a fresh folder for as long as this lives.
class TempConfig {
 public:
  TempConfig() {
    qputenv("XDG_CONFIG_HOME", dir_.path().toUtf8());
    QDir(dir_.path()).mkpath("KV-3");
  }
  ~TempConfig() { qunsetenv("XDG_CONFIG_HOME"); }

  QString path(const QString& name) const { return dir_.path() + "/" + name; }
  QString parameterPath() const { return path("KV-3/parameter"); }
  QString hintPath() const { return path("KV-3/KV-3.ini"); }

  void WriteParameters(const QByteArray& bytes) const { Write(parameterPath(), bytes); }
  QByteArray ReadParameters() const { return Read(parameterPath()); }
  void WriteHint(const QByteArray& value) const {
    Write(hintPath(), "[KV-3]\nLanguages=" + value + "\n");
  }

  static void Write(const QString& file, const QByteArray& bytes) {
    QFile f(file);
    QVERIFY(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
    f.write(bytes);
  }
  static QByteArray Read(const QString& file) {
    QFile f(file);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
  }

 private:
  QTemporaryDir dir_;
};

// Stands in for the message boxes of a main window (every window it made)
// while it lives; made without a window, it is handed to a dialog.
class MessageStandIn : public kv3::MessagePresenter {
 public:
  MessageStandIn() = default;
  explicit MessageStandIn(kv3::MainWindow& window) : window_(&window) {
    previous_ = window.SetMessagePresenter(this);
  }
  ~MessageStandIn() override {
    if (window_) window_->SetMessagePresenter(previous_);
  }
  MessageStandIn(const MessageStandIn&) = delete;
  MessageStandIn& operator=(const MessageStandIn&) = delete;

  kv3::MessageButton Present(const kv3::MessageRequest& request) override {
    return static_cast<kv3::MessageButton>(Answer(kv3::RecordOf(request)));
  }

 protected:
  virtual int Answer(const kv3::MessageRecord& record) = 0;

 private:
  // A stand-in may outlive its window (a test that starts the program
  // again): it then has nothing to give back.
  QPointer<kv3::MainWindow> window_;
  kv3::MessagePresenter* previous_ = nullptr;
};

// Every message box is recorded and answered at once by `answers` (OK, or
// the default button, unless told otherwise); no box is ever shown.
class Messages : public MessageStandIn {
 public:
  using MessageStandIn::MessageStandIn;

  QList<kv3::MessageRecord> records;
  std::deque<int> answers;  // the answers to give, in order

 protected:
  int Answer(const kv3::MessageRecord& record) override {
    records.push_back(record);
    if (!answers.empty()) {
      const int code = answers.front();
      answers.pop_front();
      return code;
    }
    return record.defaultCode;
  }
};

// Every message box is recorded and stays open as a real modal box does: a
// nested event loop runs, in which the port delivers bytes and the timers
// tick, until closeWhen() holds (or, as a bound, kGenerous ms have passed);
// then it is answered with the default button. whileOpen runs as each box
// opens, before its loop.
class ModalMessages : public MessageStandIn {
 public:
  using MessageStandIn::MessageStandIn;

  QList<kv3::MessageRecord> records;
  int closed = 0;  // boxes answered so far
  std::function<void(const kv3::MessageRecord&)> whileOpen;
  std::function<bool()> closeWhen = [] { return true; };

 protected:
  int Answer(const kv3::MessageRecord& record) override {
    records.push_back(record);
    if (whileOpen) whileOpen(record);
    QEventLoop loop;
    QTimer check;
    QObject::connect(&check, &QTimer::timeout, &loop, [&] {
      if (closeWhen()) loop.quit();
    });
    check.start(5);
    QTimer bound;
    bound.setSingleShot(true);
    QObject::connect(&bound, &QTimer::timeout, &loop, [&] {
      qWarning("a message box was left open for the whole bound: %s", qPrintable(record.prompt));
      loop.quit();
    });
    bound.start(kGenerous);
    loop.exec();
    ++closed;
    return record.defaultCode;
  }
};

// Stands in for a main window's file dialogs while it lives: they answer
// with the names queued here (an empty name cancels).
class FileDialogs : public kv3::FileDialogPresenter {
 public:
  explicit FileDialogs(kv3::MainWindow& window) : window_(&window) {
    previous_ = window.SetFileDialogs(this);
  }
  ~FileDialogs() override {
    if (window_) window_->SetFileDialogs(previous_);
  }
  FileDialogs(const FileDialogs&) = delete;
  FileDialogs& operator=(const FileDialogs&) = delete;

  QString AskFileName(kv3::FileDialogKind kind) override {
    (kind == kv3::FileDialogKind::OpenCodeplug ? opens : saves)++;
    if (names.empty()) return QString();
    const QString name = names.front();
    names.pop_front();
    return name;
  }

  std::deque<QString> names;
  int opens = 0;
  int saves = 0;

 private:
  QPointer<kv3::MainWindow> window_;  // as MessageStandIn's
  kv3::FileDialogPresenter* previous_ = nullptr;
};

template <typename T>
T* Find(QObject* root, const char* name) {
  T* found = root->findChild<T*>(QString::fromUtf8(name));
  if (!found) qWarning("no %s named %s", T::staticMetaObject.className(), name);
  return found;
}

inline std::unique_ptr<kv3::MainWindow> StartWindow(bool simulate = true) {
  kv3::StartupOptions options;
  options.simulate = simulate;
  auto window = std::make_unique<kv3::MainWindow>(options);
  window->show();
  QApplication::setActiveWindow(window.get());
  if (!QTest::qWaitForWindowExposed(window.get())) qWarning("main window not exposed");
  // The port dialog and the feature dialogs come right after the first paint.
  if (!QTest::qWaitFor([&] { return window->findChild<QWidget*>("FormCOM") != nullptr; },
                       kGenerous)) {
    qWarning("start-up did not finish after the first paint");
  }
  return window;
}

// A left click on the push button of that name.
inline void Click(QObject* root, const char* button) {
  QTest::mouseClick(Find<QPushButton>(root, button), Qt::LeftButton);
}

// The main window of a test: started in init() with a private configuration
// (COM1, Simplified, unlocked unless told otherwise), dropped in cleanup().
struct WindowFixture {
  void Start(const QByteArray& parameters = QByteArray("\x00\x01\x00", 3)) {
    config_ = std::make_unique<TempConfig>();
    config_->WriteParameters(parameters);
    w_ = StartWindow();
  }
  void Stop() {
    w_.reset();
    config_.reset();
  }

  std::unique_ptr<TempConfig> config_;
  std::unique_ptr<kv3::MainWindow> w_;
};

// A dialog of a test: the editor state it works on and the recorded message
// boxes, fresh for every test function (init() calls Reset()).
struct DialogFixture {
  void Reset() {
    state_ = kv3::StartupState();
    lang_ = kv3::Language::Simplified;
    messages_.reset();
    messages_ = std::make_unique<Messages>();
  }

  kv3::EditorState state_;
  kv3::Language lang_ = kv3::Language::Simplified;
  std::unique_ptr<Messages> messages_;
};

inline QString Cell(kv3::MainWindow& window, int row, int col) {
  kv3::ChannelGridModel& model = window.grid().gridModel();
  return model.data(model.CellIndex(row, col), Qt::DisplayRole).toString();
}

// A left press on a cell of the grid, as the user gives it.
inline void ClickCell(kv3::MainWindow& window, int row, int col) {
  kv3::ChannelGridView& grid = window.grid();
  const QRect rect = grid.visualRect(grid.gridModel().CellIndex(row, col));
  QTest::mouseClick(grid.viewport(), Qt::LeftButton, {}, rect.center());
}

// Types a frequency into the open Text1 and presses Enter.
inline void TypeFrequency(kv3::MainWindow& window, int row, const QString& text) {
  ClickCell(window, row, 1);
  QWidget* editor = window.grid().OpenEditorWidget();
  QVERIFY(editor && editor->objectName() == "Text1");
  QTest::keyClick(editor, Qt::Key_A, Qt::ControlModifier);
  QTest::keyClick(editor, Qt::Key_Backspace);
  QTest::keyClicks(editor, text);
  QTest::keyClick(editor, Qt::Key_Return);
}

}  // namespace kv3test
