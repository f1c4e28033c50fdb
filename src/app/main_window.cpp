#include "app/main_window.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QComboBox>
#include <QFile>
#include <QFileInfo>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QProgressBar>
#include <QTimer>
#include <QToolBar>
#include <algorithm>
#include <functional>

#include "app/qt_translations.h"
#include "codeplug/codec.h"
#include "dialogs/ui/about_box.h"
#include "dialogs/ui/file_dialogs.h"
#include "dialogs/ui/form2.h"
#include "dialogs/ui/form4.h"
#include "dialogs/ui/form5.h"
#include "dialogs/ui/form6.h"
#include "dialogs/ui/form7.h"
#include "dialogs/ui/help.h"
#include "editor/band.h"
#include "editor/band_rules.h"
#include "editor/grid_edit.h"
#include "editor/ui/channel_grid_model.h"
#include "editor/ui/channel_grid_view.h"
#include "editor/ui/settings_panel.h"
#include "i18n/language_setting.h"
#include "i18n/language_switch.h"
#include "i18n/messages.h"
#include "i18n/ui/window_captions.h"
#include "image/codeplug_file.h"
#include "interchange/backups.h"
#include "link/editor_environment.h"
#include "link/qt/qt_link.h"
#include "link/qt/routed_port.h"
#include "link/ui/form_com.h"

// The toolbar's icons live in a static library: register them explicitly.
static void InitResources() {
  Q_INIT_RESOURCE(app);
}

namespace kv3 {
namespace {

// The band list: opening it makes the shown band the reference of the
// band-change question.
class BandCombo : public QComboBox {
 public:
  BandCombo(EditorState& state, QWidget* parent) : QComboBox(parent), state_(state) {}
  void showPopup() override {
    OnBandListOpened(state_.band);
    QComboBox::showPopup();
  }

 private:
  EditorState& state_;
};

void RetainSizeWhenHidden(QWidget* widget) {
  QSizePolicy policy = widget->sizePolicy();
  policy.setRetainSizeWhenHidden(true);
  widget->setSizePolicy(policy);
}

QAction* NewAction(QObject* parent, const char* name) {
  auto* action = new QAction(parent);
  action->setObjectName(name);
  return action;
}

QMenu* NewMenu(QMenuBar* bar, const char* name) {
  auto* menu = new QMenu(bar);
  menu->setObjectName(name);
  bar->addMenu(menu);
  return menu;
}

}  // namespace

MainWindow::MainWindow(StartupOptions options, QWidget* parent)
    : QMainWindow(parent),
      parameterPath_(options.parameterPath.empty() ? ParameterFilePath() : options.parameterPath),
      state_(StartupState()),
      messages_(messageBoxes_.For([this] { return static_cast<QWidget*>(this); })),
      qtFileDialogs_(std::make_unique<QtFileDialogs>(this)),
      fileDialogs_(qtFileDialogs_.get()) {
  InitResources();
  setObjectName("Form1");
  model_ = std::make_unique<ChannelGridModel>(state_, language_);

  // 1. The window and the channel grid's layout.
  BuildMenus();
  BuildToolbar();
  BuildCentre();

  // 2. The parameter file: lock, port, saved language.
  const Parameters parameters = ReadParameterFile(parameterPath_);
  ApplyStartupLock(parameters.lock);
  ComPortNumber_ = parameters.port <= kLastComPort ? parameters.port : 0;

  // 3. to 5. The power levels and TuningUnlocked come with the start-up state;
  // the language is the hint's, else the saved one.
  IniLanguageHintStore hints(options.languageHintPath.empty() ? DefaultLanguageHintPath()
                                                              : options.languageHintPath);
  language_ = ReadLanguageSetting(hints, kLanguageHintKey, parameters.language);
  state_.shared.TuningUnlocked = 0;
  // Qt's own texts (file dialogs, standard buttons) in the same language.
  UseQtTranslations(language_);

  // 6. Every caption. The feature dialogs are created after the first paint
  // (FinishStartup) and write their own captions in the language then.
  WriteStartupCaptions();
  model_->SetLanguage(language_);

  // 7. The port; the port dialog that scans it comes with FinishStartup.
  port_ = std::make_unique<RoutedPort>(options.simulate, std::move(options.portMap));
  environment_ = std::make_unique<EditorSessionEnvironment>(state_, *port_);
  session_ = std::make_unique<QtSession>(*port_, *environment_, language_);
  ConnectSession();

  // 8. to 11. The lists, the first band and the editor's defaults.
  LoadFromState();
  ProgressBar1_->hide();
  Label_->hide();
  resize(sizeHint());
}

void MainWindow::FinishStartup() {
  if (!startupPending_) return;
  startupPending_ = false;
  // Each window's messages are boxes owned by that window.
  form2_ = std::make_unique<Form2>(state_, language_);
  form4_ = std::make_unique<Form4>(state_, language_,
                                   messageBoxes_.For([this] { return form4_.get(); }));
  form5_ = std::make_unique<Form5>(state_, language_,
                                   messageBoxes_.For([this] { return form5_.get(); }));
  form6_ = std::make_unique<Form6>(state_, language_);
  form7_ = std::make_unique<Form7>(state_, language_);
  about_ = new frmAbout(state_, language_, this);
  connect(form5_.get(), &Form5::tuningUnlocked, this, [this] {
    toolbarButtons_[6]->setVisible(true);
    form2_->SetSlidersEnabled(true);
  });
  connect(form5_.get(), &Form5::tuningLocked, this, [this] {
    toolbarButtons_[6]->setVisible(false);
    form2_->SetSlidersEnabled(false);
  });
  formCom_ = new FormCOM(*port_, ComPortNumber_, this);
  formCom_->DescribePorts([this](int number) { return port_->Describe(number); });
  formCom_->SetLanguage(language_);
  // F1 in a window of its own opens that window's page of the manual.
  const std::pair<QWidget*, HelpTopic> topics[] = {
      {form2_.get(), HelpTopic::PowerTuning},
      {form4_.get(), HelpTopic::TestFrequencies},
      {form5_.get(), HelpTopic::OptionalFunctions},
      {form6_.get(), HelpTopic::KeysSet},
      {form7_.get(), HelpTopic::EmbeddedInfo},
      {formCom_, HelpTopic::Connecting},
      {about_, HelpTopic::Contents},
  };
  for (const auto& [window, topic] : topics) {
    MessagePresenter& messages = messageBoxes_.For([w = window] { return w; });
    AddHelpKey(window, [this, &messages, t = topic] { OpenHelp(messages, language_, t); });
  }
}

bool MainWindow::event(QEvent* event) {
  if (event->type() == QEvent::Paint && startupPending_ && !finishQueued_) {
    finishQueued_ = true;
    QTimer::singleShot(0, this, &MainWindow::FinishStartup);
  }
  return QMainWindow::event(event);
}

MainWindow::~MainWindow() {
  grid_->DiscardOpenEditor();
  // The session talks to the port: it goes first.
  session_.reset();
}

void MainWindow::BuildCentre() {
  auto* centre = new QWidget(this);
  centre->setObjectName("centre");
  setCentralWidget(centre);
  auto* layout = new QGridLayout(centre);

  Frame1_ = new QGroupBox(centre);
  Frame1_->setObjectName("Frame1");
  auto* bandLayout = new QHBoxLayout(Frame1_);
  Label3_ = new QLabel(Frame1_);
  Label3_->setObjectName("Label3");
  Combo1_ = new BandCombo(state_, Frame1_);
  Combo1_->setObjectName("Combo1");
  for (const Band& band : kBands) Combo1_->addItem(QString::fromLatin1(band.text));
  bandLayout->addWidget(Label3_);
  bandLayout->addWidget(Combo1_);
  bandLayout->addStretch(1);
  connect(Combo1_, &QComboBox::currentIndexChanged, this, [this](int index) {
    if (!showingBand_) BandSelected(index);
  });

  grid_ = new ChannelGridView(*model_, centre);
  grid_->SetMessageHandler([this](const MessageSpec& spec) { Message(spec); });

  settings_ = new SettingsPanel(state_.settings, centre);

  auto* statusRow = new QHBoxLayout;
  Label_ = new QLabel(centre);
  Label_->setObjectName("Label");
  Label_->setStyleSheet("color: #c00000;");
  RetainSizeWhenHidden(Label_);
  ProgressBar1_ = new QProgressBar(centre);
  ProgressBar1_->setObjectName("ProgressBar1");
  ProgressBar1_->setTextVisible(false);
  ProgressBar1_->setRange(0, 460);
  RetainSizeWhenHidden(ProgressBar1_);
  statusRow->addWidget(Label_, 1);
  statusRow->addWidget(ProgressBar1_, 1);

  Label2_ = new QLabel(centre);
  Label2_->setObjectName("Label2");
  Label2_->setCursor(Qt::PointingHandCursor);
  Label2_->setStyleSheet("color: #0000c0; text-decoration: underline;");
  Label2_->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
  Label2_->installEventFilter(this);

  layout->addWidget(Frame1_, 0, 0);
  layout->addWidget(grid_, 1, 0);
  layout->addWidget(settings_, 0, 1, 2, 1);
  layout->addLayout(statusRow, 2, 0);
  layout->addWidget(Label2_, 2, 1);
  layout->setColumnStretch(0, 0);
}

// The lock byte of the parameter file: 1 locks the band and the grid (the
// settings stay editable), 0 unlocks, anything else leaves the item checked
// as designed with nothing disabled.
void MainWindow::ApplyStartupLock(uint8_t lock) {
  if (lock == 1) {
    mnulock_->setChecked(true);
    SetEditingEnabled(false, true, false);
  } else if (lock == 0) {
    mnulock_->setChecked(false);
    SetEditingEnabled(true, true, true);
  } else {
    mnulock_->setChecked(true);
  }
}

void MainWindow::SetEditingEnabled(bool band, bool settings, bool grid) {
  if (!grid) grid_->CommitOpenEditor();
  Frame1_->setEnabled(band);
  settings_->setEnabled(settings);
  grid_->setEnabled(grid);
}

bool MainWindow::locked() const {
  return mnulock_->isChecked();
}

void MainWindow::ToggleLock() {
  mnulock_->trigger();
}

void MainWindow::BandSelected(int index) {
  if (SelectBand(state_, index) == BandChange::QuestionNeeded) {
    const int answer = Message(BandChangeQuestion());
    AnswerBandQuestion(state_, answer == mr::kOk);
    model_->Reload();
  }
  ShowBand();
}

void MainWindow::ShowBand() {
  showingBand_ = true;
  Combo1_->setCurrentIndex(state_.band.index);
  showingBand_ = false;
}

void MainWindow::LoadFromState() {
  model_->Reload();
  settings_->LoadFromState();
  ShowBand();
  if (startupPending_) return;  // the dialogs load the state when they are made
  form2_->LoadFromState();
  form4_->LoadFromState();
  form5_->LoadFromState();
  form6_->LoadFromState();
  form7_->LoadFromState();
  about_->LoadFromState();
}

std::vector<QWidget*> MainWindow::FeatureWindows() const {
  return {form2_.get(), form4_.get(), form5_.get(), form6_.get(), form7_.get(), about_};
}

void MainWindow::ShowPortDialog() {
  ShowWindow(formCom_);
}

void MainWindow::ShowWindow(QWidget* window) {
  if (!window) return;
  window->show();
  window->raise();
  window->activateWindow();
}

void MainWindow::RelockClicked() {
  form5_->TAnMaClicked();
}

Parameters MainWindow::CurrentParameters() const {
  Parameters parameters;
  parameters.lock = mnulock_->isChecked() ? 1 : 0;
  parameters.port = static_cast<uint8_t>(ComPortNumber_);
  parameters.language = static_cast<uint8_t>(language_);
  return parameters;
}

void MainWindow::closeEvent(QCloseEvent* event) {
  // No question: unsaved edits are lost. The parameter file keeps the lock,
  // the port and the language for the next run.
  if (!WriteParameterFile(parameterPath_, CurrentParameters())) {
    qWarning("kv3-programmer: could not write %s", parameterPath_.c_str());
  }
  std::vector<QWidget*> windows = FeatureWindows();
  windows.push_back(formCom_);
  for (QWidget* window : windows) {
    if (window) window->hide();
  }
  event->accept();
  emit closed();
}

bool MainWindow::eventFilter(QObject* watched, QEvent* event) {
  if (watched == Label2_ && event->type() == QEvent::MouseButtonRelease) {
    OpenMakerSite();
    return true;
  }
  return QMainWindow::eventFilter(watched, event);
}

MessagePresenter* MainWindow::SetMessagePresenter(MessagePresenter* presenter) {
  return messageBoxes_.StandIn(presenter);
}

FileDialogPresenter* MainWindow::SetFileDialogs(FileDialogPresenter* dialogs) {
  FileDialogPresenter* previous = fileDialogs_ == qtFileDialogs_.get() ? nullptr : fileDialogs_;
  fileDialogs_ = dialogs ? dialogs : qtFileDialogs_.get();
  return previous;
}

int MainWindow::Message(const MessageSpec& spec) {
  return static_cast<int>(ShowMessage(messages_, language_, spec));
}

int MainWindow::Message(const std::string& prompt, int buttons, const std::string& title) {
  return static_cast<int>(messages_.Present(MakeMessageRequest(prompt, buttons, title, language_)));
}

void MainWindow::BuildMenus() {
  QMenuBar* bar = menuBar();
  BuildFileMenu(bar);
  BuildProgrammingMenu(bar);
  BuildSettingsMenu(bar);
  QAction* mnucom = NewAction(this, "mnucom");
  bar->addAction(mnucom);
  connect(mnucom, &QAction::triggered, this, &MainWindow::ShowPortDialog);
  BuildLanguageMenu(bar);
  BuildHelpMenu(bar);
}

void MainWindow::BuildProgrammingMenu(QMenuBar* bar) {
  mnupro_ = NewMenu(bar, "mnupro");
  mnureadFre_ = NewAction(this, "mnureadFre");
  mnureadFre_->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_R));
  mnuwriteFre_ = NewAction(this, "mnuwriteFre");
  mnuwriteFre_->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_W));
  mnupro_->addAction(mnureadFre_);
  mnupro_->addAction(mnuwriteFre_);
  mnupro_->addSeparator()->setObjectName("mnuline1");
  connect(mnureadFre_, &QAction::triggered, this, &MainWindow::StartRead);
  connect(mnuwriteFre_, &QAction::triggered, this, &MainWindow::StartWrite);
  const std::pair<const char*, std::function<QWidget*()>> windows[] = {
      {"mnudtmf", [this] { return static_cast<QWidget*>(form5_.get()); }},
      {"Key_enactment", [this] { return static_cast<QWidget*>(form6_.get()); }},
      {"mnusetin", [this] { return static_cast<QWidget*>(form7_.get()); }},
      {"mnudebug", [this] { return static_cast<QWidget*>(form2_.get()); }},
      {"mnutestfre", [this] { return static_cast<QWidget*>(form4_.get()); }},
  };
  for (const auto& entry : windows) {
    QAction* action = NewAction(this, entry.first);
    mnupro_->addAction(action);
    // (A structured binding cannot be captured by clang 14.)
    connect(action, &QAction::triggered, this, [this, window = entry.second] {
      FinishStartup();
      ShowWindow(window());
    });
  }
}

void MainWindow::BuildSettingsMenu(QMenuBar* bar) {
  QMenu* mnuset = NewMenu(bar, "mnuset");
  mnulock_ = NewAction(this, "mnulock");
  mnulock_->setCheckable(true);
  mnulock_->setChecked(true);  // as designed; the parameter file decides at start-up
  mnuset->addAction(mnulock_);
  connect(mnulock_, &QAction::triggered, this,
          [this](bool checked) { SetEditingEnabled(!checked, !checked, !checked); });
}

void MainWindow::BuildLanguageMenu(QMenuBar* bar) {
  QMenu* mnuLanguage = NewMenu(bar, "mnuLanguage");
  QAction* mnuChineseJ = NewAction(this, "mnuChineseJ");
  QAction* mnuChineseF = NewAction(this, "mnuChineseF");
  QAction* mnuEnglish = NewAction(this, "mnuEnglish");
  mnuLanguage->addAction(mnuChineseJ);
  mnuLanguage->addAction(mnuChineseF);
  mnuLanguage->addAction(mnuEnglish);
  connect(mnuChineseJ, &QAction::triggered, this, &MainWindow::ChooseSimplified);
  connect(mnuChineseF, &QAction::triggered, this, &MainWindow::ChooseTraditional);
  connect(mnuEnglish, &QAction::triggered, this, &MainWindow::ChooseEnglish);
}

void MainWindow::BuildHelpMenu(QMenuBar* bar) {
  QMenu* mnuhelp = NewMenu(bar, "mnuhelp");
  QAction* mnumainhelp = NewAction(this, "mnumainhelp");
  mnumainhelp->setVisible(false);
  QAction* mnuabout = NewAction(this, "mnuabout");
  mnuhelp->addAction(mnumainhelp);
  mnuhelp->addAction(mnuabout);
  connect(mnumainhelp, &QAction::triggered, this,
          [this] { OpenHelp(messages_, language_, HelpTopic::Contents); });
  connect(mnuabout, &QAction::triggered, this, [this] {
    FinishStartup();
    ShowWindow(about_);
  });
  // F1 opens the manual although its menu item is hidden.
  AddHelpKey(this, [this] { OpenHelp(messages_, language_, HelpTopic::Contents); });
}

void MainWindow::BuildToolbar() {
  Toolbar1_ = new QToolBar(this);
  Toolbar1_->setObjectName(kToolbarName);
  Toolbar1_->setMovable(false);
  Toolbar1_->setFloatable(false);
  Toolbar1_->setIconSize(QSize(24, 24));
  Toolbar1_->toggleViewAction()->setVisible(false);
  setContextMenuPolicy(Qt::NoContextMenu);
  addToolBar(Qt::TopToolBarArea, Toolbar1_);
  struct Button {
    const char* key;
    const char* icon;
    void (MainWindow::*command)();
  };
  const Button buttons[] = {
      {"new", ":/icons/new.png", &MainWindow::FileNew},
      {"open", ":/icons/open.png", &MainWindow::FileOpen},
      {"save", ":/icons/save.png", &MainWindow::FileSave},
      {nullptr, nullptr, nullptr},
      {"read", ":/icons/read.png", &MainWindow::StartRead},
      {"write", ":/icons/write.png", &MainWindow::StartWrite},
      {"TAnMa", ":/icons/relock.png", &MainWindow::RelockClicked},
  };
  for (size_t i = 0; i < std::size(buttons); ++i) {
    if (!buttons[i].key) {
      toolbarButtons_[i] = Toolbar1_->addSeparator();
      continue;
    }
    QAction* action = NewAction(Toolbar1_, buttons[i].key);
    action->setIcon(QIcon(buttons[i].icon));
    Toolbar1_->addAction(action);
    // A click is routed by the button's key.
    connect(action, &QAction::triggered, this, buttons[i].command);
    toolbarButtons_[i] = action;
  }
  toolbarButtons_[6]->setVisible(false);
}

void MainWindow::BuildFileMenu(QMenuBar* bar) {
  QMenu* mnuFile = NewMenu(bar, "mnuFile");
  QAction* mnuNew = NewAction(this, "mnuNew");
  QAction* mnuOpen = NewAction(this, "mnuOpen");
  QAction* mnuAssave = NewAction(this, "mnuAssave");
  QAction* mnuQuit = NewAction(this, "mnuQuit");
  mnuFile->addAction(mnuNew);
  mnuFile->addAction(mnuOpen);
  mnuFile->addAction(mnuAssave);
  mnuFile->addSeparator()->setObjectName("mnuline");
  mnuFile->addAction(mnuQuit);
  connect(mnuNew, &QAction::triggered, this, &MainWindow::FileNew);
  connect(mnuOpen, &QAction::triggered, this, &MainWindow::FileOpen);
  connect(mnuAssave, &QAction::triggered, this, &MainWindow::FileSave);
  connect(mnuQuit, &QAction::triggered, this, &QWidget::close);
}

void MainWindow::FileNew() {
  grid_->CommitOpenEditor();
  const MessageSpec warning{&msg::kNewWarning,
                            mb::kOkCancel + mb::kIconExclamation + mb::kDefaultButton2,
                            &msg::kWarningTitle};
  if (Message(warning) == mr::kCancel) return;
  ClearGrid1(state_.grid);
  model_->Reload();
}

void MainWindow::FileOpen() {
  grid_->CommitOpenEditor();
  const QString file = fileDialogs_->AskFileName(FileDialogKind::OpenCodeplug);
  if (file.isEmpty()) return;
  MemoryImage image{};
  const FileResult result = LoadCodeplug(QFile::encodeName(file).toStdString(), image);
  switch (result.error) {
    case FileError::None:
      if (DecodeImage(std::span<const uint8_t>(image), state_)) LoadFromState();
      // The band shown is not the file's: a write asks before it changes a
      // radio's band to it.
      if (HasUnknownBandCode(image)) {
        session_->session().SetLastBand(kUnknownBand);
        SayUnknownBandCode();
      }
      break;
    case FileError::WrongType:
      Message(MessageSpec{&msg::kWrongFileType, mb::kOkOnly, nullptr});
      break;
    default:
      Message(Localize(msg::kReadFailed, language_) + file.toStdString() + "\n" + result.detail,
              mb::kIconStop);
      break;
  }
}

void MainWindow::FileSave() {
  grid_->CommitOpenEditor();
  for (;;) {
    const QString file = fileDialogs_->AskFileName(FileDialogKind::SaveCodeplug);
    if (file.isEmpty()) return;
    if (QFileInfo::exists(file)) {
      const MessageSpec overwrite{&msg::kOverwrite, mb::kYesNo + mb::kIconQuestion, nullptr};
      if (Message(overwrite) != mr::kYes) continue;  // back to the dialog
    }
    const FileResult result =
        ::kv3::SaveCodeplug(QFile::encodeName(file).toStdString(), EncodeImage(state_));
    if (!result.ok()) {
      Message(Localize(msg::kSaveFailed, language_) + file.toStdString() + "\n" + result.detail,
              mb::kIconStop);
      return;
    }
    setWindowTitle(QString::fromUtf8(kAppTitle) + "-" + file);
    return;
  }
}

void MainWindow::ConnectSession() {
  QtSession* s = session_.get();
  connect(s, &QtSession::statusTextChanged, Label_, &QLabel::setText);
  connect(s, &QtSession::statusVisibleChanged, Label_, &QWidget::setVisible);
  connect(s, &QtSession::progressChanged, this, [this](int value, int maximum, bool visible) {
    ProgressBar1_->setRange(0, maximum);
    ProgressBar1_->setValue(value);
    ProgressBar1_->setVisible(visible);
  });
  connect(s, &QtSession::controlsEnabledChanged, this, &MainWindow::SetSessionControlsEnabled);
  // A session puts the focus on the band list; a locked editor keeps its band
  // frame disabled, so a session never opens a way around the lock.
  connect(s, &QtSession::focusBandList, this, [this] {
    if (!locked()) Frame1_->setEnabled(true);
    Combo1_->setFocus(Qt::OtherFocusReason);
  });
  connect(s, &QtSession::messageRequested, this,
          [this](const QString& text, int buttons) { Message(text.toStdString(), buttons); });
  connect(s, &QtSession::bandQuestionAsked, this, [this](const QString& text) {
    const int answer = Message(text.toStdString(), kButtonsYesNo);
    session_->answerBandQuestion(answer == mr::kYes);
  });
  connect(s, &QtSession::imageRead, this, &MainWindow::ImageRead, Qt::DirectConnection);
}

void MainWindow::SetSessionControlsEnabled(bool enabled) {
  Toolbar1_->setEnabled(enabled);
  mnupro_->setEnabled(enabled);
  mnupro_->menuAction()->setEnabled(enabled);
  mnureadFre_->setEnabled(enabled);
  mnuwriteFre_->setEnabled(enabled);
  toolbarButtons_[4]->setEnabled(enabled);
  toolbarButtons_[5]->setEnabled(enabled);
}

void MainWindow::StartRead() {
  FinishStartup();
  grid_->CommitOpenEditor();
  session_->startRead();
}

void MainWindow::StartWrite() {
  FinishStartup();
  grid_->CommitOpenEditor();
  session_->startWrite();
}

void MainWindow::ImageRead(const QByteArray& image) {
  const auto* bytes = reinterpret_cast<const uint8_t*>(image.constData());
  const std::span<const uint8_t> read(bytes, static_cast<size_t>(image.size()));
  if (DecodeImage(read, state_)) {
    LoadFromState();
  }
  // A band code the list does not know: said once the session has ended (the
  // session itself makes the next write ask the band question).
  if (HasUnknownBandCode(read)) QTimer::singleShot(0, this, [this] { SayUnknownBandCode(); });
  // Every complete read is also kept as a backup. A backup that cannot be
  // written is reported once the session has ended; the read stands.
  if (static_cast<size_t>(image.size()) >= kImageSize) {
    MemoryImage copy{};
    std::copy_n(bytes, kImageSize, copy.begin());
    const BackupResult backup = BackupAfterRead(copy);
    if (!backup.ok) {
      const std::string text = Localize(msg::kBackupFailed, language_) + backup.error;
      QTimer::singleShot(0, this, [this, text] { Message(text, mb::kIconExclamation); });
    }
  }
}

void MainWindow::SayUnknownBandCode() {
  Message(MessageSpec{&msg::kUnknownBandCode, mb::kOkOnly + mb::kIconExclamation, nullptr});
}

void MainWindow::WriteStartupCaptions() {
  captions_ = std::make_unique<WindowCaptions>([this](Window w) { return WindowWidget(w); },
                                               [this] {
                                                 SetGrid1Text(state_.grid);
                                                 model_->SetLanguage(language_);
                                               });
  // The designed captions of the texts the English table leaves alone (the
  // maker's caption), then every caption of the language.
  for (const CaptionRow& row : CaptionRowsOf(Window::Form1)) {
    if (!row.hasEnglish) captions_->SetText(row.target, row.zh);
  }
  ApplyStartupCaptions(language_, *captions_);
}

void MainWindow::ChooseSimplified() {
  FinishStartup();
  MenuChineseSimplified(language_, *captions_);
  LanguageChanged();
}

void MainWindow::ChooseEnglish() {
  FinishStartup();
  MenuEnglish(language_, *captions_);
  LanguageChanged();
}

void MainWindow::ChooseTraditional() {
  FinishStartup();
  MenuChineseTraditional(language_, *captions_);
  LanguageChanged();
}

void MainWindow::LanguageChanged() {
  session_->SetLanguage(language_);
  model_->SetLanguage(language_);
  formCom_->SetLanguage(language_);
  UseQtTranslations(language_);
  // Every window lays out again, as a start in this language lays it out:
  // an open dialog takes the size it takes when shown (a hidden one takes it
  // when it is next shown), the main window the size it has at start-up.
  for (QWidget* window : FeatureWindows()) {
    if (!window) continue;
    RemeasureTexts(window);
    if (window->isVisible()) window->adjustSize();
  }
  RemeasureTexts(this);
  resize(sizeHint());
}

QWidget* MainWindow::WindowWidget(Window window) {
  switch (window) {
    case Window::Form1:
      return this;
    case Window::Form2:
      return form2_.get();
    case Window::Form4:
      return form4_.get();
    case Window::Form5:
      return form5_.get();
    case Window::Form6:
      return form6_.get();
    case Window::Form7:
      return form7_.get();
    case Window::frmAbout:
      return about_;
  }
  return nullptr;
}

}  // namespace kv3
