#include "app/main_window.h"

#include <QApplication>
#include <QCloseEvent>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QProgressBar>
#include <QTimer>

#include "app/main_window_edit.h"
#include "app/qt_translations.h"
#include "app/recovery_bar.h"
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
#include "editor/ui/channel_grid_model.h"
#include "editor/ui/channel_grid_view.h"
#include "editor/ui/settings_panel.h"
#include "i18n/language_setting.h"
#include "i18n/ui/window_captions.h"
#include "interchange/recent_files.h"
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
  TakeFileOptions(options);

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
  // The system's store of the hint (the registry on Windows), or the file a
  // caller names.
  std::unique_ptr<LanguageHintStore> hints =
      options.languageHintPath.empty()
          ? UserLanguageHintStore()
          : std::make_unique<IniLanguageHintStore>(options.languageHintPath);
  language_ = ReadLanguageSetting(*hints, kLanguageHintKey, parameters.language);
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
  history_ = std::make_unique<EditHistory>(state_);
  edit_->ConnectCentre();
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
  edit_->ConnectDialogs();
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
  edit_->Update();
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
  RecordStep(EditStep::Band);
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

}  // namespace kv3
