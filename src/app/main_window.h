// The main window Form1: the band frame, the channel grid, the function
// settings, the status line, the menus and the toolbar. It owns the editor's
// state, the serial port, the session with its timers, the port dialog and
// the feature dialogs; it only shows the state and calls the core. It hands
// every window it makes a message presenter, and asks for file names through
// a file-dialog seam; a test or a tool may stand in for either.
//
// Its code is split by seam: main_window.cpp (start-up, the centre, the
// lock, shutdown), main_window_menus.cpp (the menu bar and the toolbar),
// main_window_files.cpp (the File menu's commands), main_window_session.cpp
// (the radio session's wiring), main_window_captions.cpp (the language
// menu and the captions of every window). A new menu or group of commands
// (an Edit menu, more File commands) takes a file of its own the same way:
// its Build...Menu and its commands there, called from BuildMenus.
#pragma once

#include <QMainWindow>
#include <array>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "app/parameter_file.h"
#include "editor/edit_history.h"
#include "editor/editor_state.h"
#include "i18n/captions.h"
#include "i18n/language.h"
#include "i18n/message_box.h"
#include "i18n/ui/qt_message_box.h"

class QAction;
class QComboBox;
class QGroupBox;
class QLabel;
class QMenu;
class QMenuBar;
class QProgressBar;
class QDragEnterEvent;
class QDropEvent;
class QToolBar;

namespace kv3 {

class BackupsWindow;
class ChannelGridModel;
class CompareWindow;
class ChannelGridView;
class FormCOM;
class Form2;
class Form4;
class Form5;
class Form6;
class Form7;
class frmAbout;
class QtSession;
class RoutedPort;
class SettingsPanel;
class EditActions;
class EditorSessionEnvironment;
class FileDialogPresenter;
class WindowCaptions;
class RecentFiles;
class RecoveryKeeper;
class RecoveryBar;
struct LeftEdits;

struct StartupOptions {
  bool simulate = false;               // COM1 is the built-in simulated radio
  std::map<int, std::string> portMap;  // COMn -> device path
  std::string parameterPath;           // "" : ParameterFilePath()
  std::string languageHintPath;        // "" : DefaultLanguageHintPath()
  std::string recentFilesPath;         // "" : DefaultRecentFilesPath()
  // Unsaved edits are kept on disk and those an earlier run left are offered
  // back (the program does; a test asks for it).
  bool keepUnsavedEdits = false;
  std::string recoveryFolder;  // "" : DefaultRecoveryFolder()
};

class MainWindow : public QMainWindow {
  Q_OBJECT

 public:
  explicit MainWindow(StartupOptions options, QWidget* parent = nullptr);
  ~MainWindow() override;

  EditorState& state() { return state_; }
  Language language() const { return language_; }
  int ComPortNumber() const { return ComPortNumber_; }
  bool locked() const;
  RoutedPort& port() {
    FinishStartup();  // the port is opened by the scan
    return *port_;
  }
  QtSession& session() { return *session_; }
  FormCOM& formCom() {
    FinishStartup();
    return *formCom_;
  }
  ChannelGridView& grid() { return *grid_; }
  Form2& form2() {
    FinishStartup();
    return *form2_;
  }
  Form5& form5() {
    FinishStartup();
    return *form5_;
  }
  // The second half of start-up: the feature dialogs and the port dialog,
  // whose creation scans the ports. It runs right after the window is first
  // painted, so that the window shows at once; anything that needs these
  // windows earlier runs it first. It runs once.
  void FinishStartup();
  const std::string& parameterPath() const { return parameterPath_; }

  // The messages of every window of the program go to presenter instead of
  // a message box while it is set; nullptr shows the boxes again. Returns
  // the presenter it replaces.
  MessagePresenter* SetMessagePresenter(MessagePresenter* presenter);
  // The file names are asked of dialogs instead of Qt's while set; nullptr
  // brings Qt's back. Returns the one it replaces.
  FileDialogPresenter* SetFileDialogs(FileDialogPresenter* dialogs);

  // The commands of the menus and the toolbar.
  void FileNew();
  void FileOpen();
  void FileSave();
  // The printed record of the codeplug (main_window_print.cpp).
  void FilePrint();
  void FileExportPdf();
  void StartRead();
  void StartWrite();
  void ToggleLock();
  void ChooseSimplified();
  void ChooseEnglish();
  void ChooseTraditional();
  void ShowPortDialog();
  void ShowWindow(QWidget* window);
  void RelockClicked();

  // Files from outside the File menu's dialogs (main_window_open.cpp): the
  // command line, a drop and the recent list open a .DAT as Open does, and
  // import a .csv or a .json as Import does.
  void OpenPath(const QString& path);
  // The files the command line names, each with OpenPath, once the window
  // shows (a message needs the window).
  void OpenWhenShown(const QStringList& files);
  void FileImport();
  void FileExport();
  // Open with a file already chosen: true when the editor took it.
  bool OpenCodeplugPath(const QString& file);
  void ImportPath(const QString& file);
  // The recent files, newest first, as the File menu lists them.
  std::vector<std::string> RecentFileList() const;
  // The bar that offers back the edits of an earlier run (nullptr until the
  // window's first turn of the event loop, or when edits are not kept).
  RecoveryBar* recoveryBar() const { return recoveryBar_; }
  RecoveryKeeper* recoveryKeeper() const { return recovery_.get(); }
  void RestoreLeftEdits();
  void DiscardLeftEdits();
  // Backups and compare (main_window_backups.cpp). File ▸ Backups… shows
  // the backups window; a backup opens into the editor as one undo step
  // (not marked clean: the editor's file is not the backup) or is compared
  // with it. Compare with Radio reads the radio without touching the editor
  // and shows what a write would change. Every complete write is kept as a
  // backup too.
  void ShowBackups();
  void OpenBackup(const QString& path);
  void CompareBackup(const QString& path);
  void CompareWithRadio();
  BackupsWindow* backupsWindow() const { return backups_; }
  CompareWindow* compareWindow() const { return compare_; }

  // Every control shows the editor's state again (after a decode).
  void LoadFromState();

  // The undo history (main_window_edit.cpp). A command that changed the
  // codeplug records the state after it as one named step; an open, a save
  // or a read marks the state the file or the radio now holds as clean.
  void RecordStep(EditStep step);
  void MarkClean();
  // The codeplug differs from what was last opened, saved or read.
  bool HasUnsavedEdits() const;
  const EditHistory& history() const { return *history_; }
  // The parameter file's three bytes as shutdown writes them.
  Parameters CurrentParameters() const;

 signals:
  // The main window was closed: the program ends (after the parameter file
  // has been written).
  void closed();

 protected:
  bool event(QEvent* event) override;
  void closeEvent(QCloseEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;
  void dragEnterEvent(QDragEnterEvent* event) override;
  void dropEvent(QDropEvent* event) override;

 private:
  // Open Recent, Import and Export in the File menu, the drop of files and
  // the keeping of unsaved edits (main_window_open.cpp).
  void TakeFileOptions(const StartupOptions& options);
  void AddFileCommands(QMenu* mnuFile);
  void FillRecentMenu();
  void NoteRecentFile(const QString& file);
  void StartKeepingEdits();
  void OfferLeftEdits();
  // The menu bar, menu by menu in its order, and the toolbar.
  void BuildMenus();
  void BuildFileMenu(QMenuBar* bar);
  void AddPrintCommands(QMenu* fileMenu);
  void BuildProgrammingMenu(QMenuBar* bar);
  void BuildSettingsMenu(QMenuBar* bar);
  void BuildLanguageMenu(QMenuBar* bar);
  void BuildHelpMenu(QMenuBar* bar);
  void BuildToolbar();
  // Backups and compare: the menu items, the session's hooks.
  void AddBackupsCommand(QMenu* file);
  void AddCompareCommand(QMenu* programming);
  void ConnectBackups();
  // A read that Compare with Radio started: the image is kept apart from the
  // editor (true), else false and the read goes into the editor.
  bool TakeCompareRead(const QByteArray& image);
  void BackupFailed(const Text2& message, const std::string& error);
  void BuildCentre();
  void ConnectSession();
  // Makes the caption sink of every window and writes the start-up captions.
  void WriteStartupCaptions();
  void ApplyStartupLock(uint8_t lock);
  void SetEditingEnabled(bool band, bool settings, bool grid);
  void BandSelected(int index);
  void ShowBand();
  void SetSessionControlsEnabled(bool enabled);
  void ImageRead(const QByteArray& image);
  void LanguageChanged();
  QWidget* WindowWidget(Window window);
  // The feature dialogs and the about box (nullptr before FinishStartup).
  std::vector<QWidget*> FeatureWindows() const;
  // Said after an open or a read whose band code the band list does not know.
  void SayUnknownBandCode();
  int Message(const MessageSpec& spec);
  int Message(const std::string& prompt, int buttons, const std::string& title = {});

  // The Edit menu, the grid's context menu and the problems list
  // (main_window_edit*.cpp): made with the menu bar, wired to the centre and
  // to the dialogs once they exist; told when the lock, a session or the
  // language changes.
  friend class EditActions;
  void BuildEditMenu(QMenuBar* bar);
  EditActions* edit_ = nullptr;  // a child of the window

  std::string parameterPath_;
  EditorState state_;
  // The file last opened or saved, which the printed record names; empty
  // after New and after a read.
  QString recordFile_;
  std::unique_ptr<EditHistory> history_;
  // The message boxes of every window, and this window's presenter.
  MessageBoxes messageBoxes_;
  MessagePresenter& messages_;
  std::unique_ptr<FileDialogPresenter> qtFileDialogs_;
  FileDialogPresenter* fileDialogs_ = nullptr;
  std::unique_ptr<WindowCaptions> captions_;
  Language language_ = Language::Simplified;
  int ComPortNumber_ = 0;

  std::unique_ptr<RoutedPort> port_;
  std::unique_ptr<EditorSessionEnvironment> environment_;
  std::unique_ptr<QtSession> session_;
  std::unique_ptr<ChannelGridModel> model_;

  ChannelGridView* grid_ = nullptr;
  SettingsPanel* settings_ = nullptr;
  QGroupBox* Frame1_ = nullptr;
  QLabel* Label3_ = nullptr;
  QComboBox* Combo1_ = nullptr;
  QLabel* Label_ = nullptr;
  QProgressBar* ProgressBar1_ = nullptr;
  QLabel* Label2_ = nullptr;
  QToolBar* Toolbar1_ = nullptr;
  // Toolbar buttons by position 1..7 (4 is the separator).
  std::array<QAction*, 7> toolbarButtons_{};
  QMenu* mnupro_ = nullptr;
  QAction* mnureadFre_ = nullptr;
  QAction* mnuwriteFre_ = nullptr;
  QAction* mnulock_ = nullptr;
  bool showingBand_ = false;
  bool startupPending_ = true;
  bool finishQueued_ = false;

  FormCOM* formCom_ = nullptr;
  // The feature dialogs: windows of their own, created once at start-up.
  std::unique_ptr<Form2> form2_;
  std::unique_ptr<Form4> form4_;
  std::unique_ptr<Form5> form5_;
  std::unique_ptr<Form6> form6_;
  std::unique_ptr<Form7> form7_;
  frmAbout* about_ = nullptr;  // owned by the main window

  // Files from outside and unsaved edits (main_window_open.cpp).
  std::unique_ptr<RecentFiles> recentFiles_;
  QMenu* mnuOpenRecent_ = nullptr;
  bool keepUnsavedEdits_ = false;
  std::string recoveryFolder_;
  std::unique_ptr<RecoveryKeeper> recovery_;
  RecoveryBar* recoveryBar_ = nullptr;
  std::unique_ptr<LeftEdits> leftEdits_;  // the edits the bar offers
  std::unique_ptr<EditorState> leftState_;
  // Backups and compare.
  BackupsWindow* backups_ = nullptr;  // owned by the main window, made on first use
  CompareWindow* compare_ = nullptr;
  QAction* mnuCompareRadio_ = nullptr;
  bool compareReadPending_ = false;
  std::unique_ptr<EditorState> radioRead_;
  int radioBand_ = 0;
};

}  // namespace kv3
