#include "dialogs/ui/form5.h"

#include <QCheckBox>
#include <QComboBox>
#include <QEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QVBoxLayout>

#include "dialogs/ui/dialog_support.h"
#include "i18n/messages.h"
#include "i18n/texts.h"
#include "i18n/ui/window_captions.h"

namespace kv3 {

namespace {

QComboBox* NamedCombo(const char* name, QWidget* parent) {
  auto* combo = new QComboBox(parent);
  combo->setObjectName(name);
  combo->setSizeAdjustPolicy(QComboBox::AdjustToContents);
  combo->setMinimumContentsLength(8);
  return combo;
}

QLabel* NamedLabel(const char* name, QWidget* parent) {
  auto* label = new QLabel(parent);
  label->setObjectName(name);
  return label;
}

// Entries as the Simplified table has them; SetCaptions writes the language.
void AddEntries(QComboBox* combo, int count, const std::function<std::string(int)>& entry) {
  for (int i = 0; i < count; ++i) combo->addItem(Qs(entry(i)));
}

void Row(QGridLayout* grid, int row, QLabel* label, QWidget* field) {
  grid->addWidget(label, row, 0);
  grid->addWidget(field, row, 1);
}

}  // namespace

Form5::Form5(EditorState& state, const Language& language, MessagePresenter& messages,
             QWidget* parent)
    : QWidget(parent, Qt::Window),
      state_(state),
      language_(language),
      messages_(messages),
      clock_(&SecondsSinceMidnight) {
  setObjectName("Form5");
  const Language zh = Language::Simplified;

  // VOX group.
  auto* Frame1 = new QGroupBox(Qs(form5::kVoxFrame.zh), this);
  Frame1->setObjectName("Frame1");
  Combo6_ = NamedCombo("Combo6", Frame1);
  AddEntries(Combo6_, kOffOnCount, [&](int i) { return Localize(kOffOnList[i], zh); });
  Combo7_ = NamedCombo("Combo7", Frame1);
  AddEntries(Combo7_, kVoxGainCount, [&](int i) { return form5::VoxGainEntry(i, zh); });
  Combo8_ = NamedCombo("Combo8", Frame1);
  AddEntries(Combo8_, kVoxDelayCount, [](int i) { return form5::kVoxDelayList[i]; });
  Combo9_ = NamedCombo("Combo9", Frame1);
  AddEntries(Combo9_, kOffOnCount, [&](int i) { return Localize(kOffOnList[i], zh); });
  Check3_ = new QCheckBox(Frame1);
  Check3_->setObjectName("Check3");
  Check4_ = new QCheckBox(Frame1);
  Check4_->setObjectName("Check4");
  auto* vox = new QGridLayout(Frame1);
  Row(vox, 0, NamedLabel("Label8", Frame1), Combo6_);
  Row(vox, 1, NamedLabel("Label10", Frame1), Combo7_);
  Row(vox, 2, NamedLabel("Label9", Frame1), Combo8_);
  Row(vox, 3, NamedLabel("Label7", Frame1), Combo9_);
  vox->addWidget(Check3_, 4, 0, 1, 2);
  vox->addWidget(Check4_, 5, 0, 1, 2);

  // PTT ID and duplicate, below the VOX group.
  Combo4_ = NamedCombo("Combo4", this);
  AddEntries(Combo4_, kPttIdCount, [&](int i) { return Localize(form5::kPttIdList[i], zh); });
  Combo10_ = NamedCombo("Combo10", this);
  AddEntries(Combo10_, kOffOnCount, [&](int i) { return Localize(kOffOnList[i], zh); });
  auto* below = new QGridLayout;
  Row(below, 0, NamedLabel("Label4", this), Combo4_);
  Row(below, 1, NamedLabel("Label11", this), Combo10_);

  // Scan group.
  auto* Frame2 = new QGroupBox(this);
  Frame2->setObjectName("Frame2");
  Combo11_ = NamedCombo("Combo11", Frame2);
  AddEntries(Combo11_, kPriorityModeCount,
             [&](int i) { return Localize(form5::kPriorityList[i], zh); });
  Combo12_ = NamedCombo("Combo12", Frame2);
  AddEntries(Combo12_, kChannelCount,
             [](int i) { return QString::asprintf("%02d", i + 1).toStdString(); });
  Combo13_ = NamedCombo("Combo13", Frame2);
  AddEntries(Combo13_, form5::kRetraceCount, [&](int i) { return form5::RetraceEntry(i, zh); });
  Combo14_ = NamedCombo("Combo14", Frame2);
  AddEntries(Combo14_, form5::kRetraceCount, [&](int i) { return form5::RetraceEntry(i, zh); });
  Combo15_ = NamedCombo("Combo15", Frame2);
  AddEntries(Combo15_, kReturnChannelCount,
             [&](int i) { return Localize(form5::kReturnChannelList[i], zh); });

  auto delayBox = [&](const char* textName, const char* spinName, QLineEdit*& box,
                      QScrollBar*& spinner) {
    box = new QLineEdit(Frame2);
    box->setObjectName(textName);
    box->setMaximumWidth(60);
    box->setAlignment(Qt::AlignRight);
    spinner = new QScrollBar(Qt::Vertical, Frame2);
    spinner->setObjectName(spinName);
    spinner->setRange(0, kScanDelayMaximum);
    // Positions count down from the top, so the upper arrow adds a second.
    spinner->setFixedHeight(box->sizeHint().height());
    auto* pair = new QWidget(Frame2);
    auto* h = new QHBoxLayout(pair);
    h->setContentsMargins(0, 0, 0, 0);
    h->setSpacing(0);
    h->addWidget(box);
    h->addWidget(spinner);
    h->addStretch();
    connect(spinner, &QScrollBar::valueChanged, box,
            [box](int v) { box->setText(QString::number(kScanDelayMaximum - v)); });
    connect(box, &QLineEdit::textEdited, this, [this, box, spinner] { SyncSpinner(box, spinner); });
    return pair;
  };
  QWidget* rxDelay = delayBox("Text5", "VScroll1", Text5_, VScroll1_);
  QWidget* txDelay = delayBox("Text6", "VScroll2", Text6_, VScroll2_);

  auto* scan = new QGridLayout(Frame2);
  QLabel* Label14 = NamedLabel("Label14", Frame2);
  QLabel* Label17 = NamedLabel("Label17", Frame2);
  QLabel* Label18 = NamedLabel("Label18", Frame2);
  Row(scan, 0, Label14, Combo11_);
  Row(scan, 1, NamedLabel("Label15", Frame2), Combo12_);
  Row(scan, 2, Label17, Combo13_);
  Row(scan, 3, NamedLabel("Label16", Frame2), Combo14_);
  Row(scan, 4, Label18, Combo15_);
  Row(scan, 5, NamedLabel("Label19", Frame2), rxDelay);
  Row(scan, 6, NamedLabel("Label20", Frame2), txDelay);
  scan->setRowStretch(7, 1);

  // The keys of the hidden sequence: three captions of the scan group.
  unlockCaptions_[0] = Label14;
  unlockCaptions_[1] = Label17;
  unlockCaptions_[2] = Label18;
  for (QLabel* caption : unlockCaptions_) caption->installEventFilter(this);

  auto* Command1 = new QPushButton(this);
  Command1->setObjectName("Command1");
  auto* Command2 = new QPushButton(this);
  Command2->setObjectName("Command2");
  connect(Command1, &QPushButton::clicked, this, [this] { Store(); });
  connect(Command2, &QPushButton::clicked, this, &QWidget::hide);

  connect(Combo11_, &QComboBox::activated, this, [this](int i) { PriorityModeSelected(i); });
  connect(Combo12_, &QComboBox::activated, this, [this](int i) { PriorityChannelSelected(i); });

  auto* left = new QVBoxLayout;
  left->addWidget(Frame1);
  left->addLayout(below);
  left->addStretch();
  auto* groups = new QHBoxLayout;
  groups->addLayout(left);
  groups->addWidget(Frame2);
  auto* buttons = new QHBoxLayout;
  buttons->addStretch();
  buttons->addWidget(Command1);
  buttons->addWidget(Command2);
  buttons->addStretch();
  auto* layout = new QVBoxLayout(this);
  layout->addLayout(groups);
  layout->addLayout(buttons);

  SetCaptions(language);
  LoadFromState();
}

void Form5::SetCaptions(Language lang) {
  ApplyWindowCaptions(this, Window::Form5, lang);
}

void Form5::Select(QComboBox* combo, int position) {
  combo->setCurrentIndex(position >= 0 && position < combo->count() ? position : -1);
}

void Form5::LoadFromState() {
  OptionalFunctionsControls c = ControlsFromShared(state_.shared);
  Select(Combo4_, c.Combo4);
  Select(Combo6_, c.Combo6);
  Select(Combo7_, c.Combo7);
  Select(Combo8_, c.Combo8);
  Select(Combo9_, c.Combo9);
  Select(Combo10_, c.Combo10);
  // The priority lists show what the shared values hold, as they are: the
  // checks of a choice ask the user, and a decode never asks (it may run
  // inside a session with the radio). Only the channel that "固定" falls back
  // to is remembered, as choosing "固定" would.
  Select(Combo11_, c.Combo11);
  if (c.Combo11 == kPriorityFixed)
    (void)PriorityModeChosen(c.Combo11, state_.grid, FixedPriorityChannel_);
  Select(Combo12_, c.Combo12);
  Select(Combo13_, c.Combo13);
  Select(Combo14_, c.Combo14);
  Select(Combo15_, c.Combo15);
  Text5_->setText(Qs(c.Text5));
  Text6_->setText(Qs(c.Text6));
  SyncSpinner(Text5_, VScroll1_);
  SyncSpinner(Text6_, VScroll2_);
  Check3_->setChecked(c.Check3);
  Check4_->setChecked(c.Check4);
}

OptionalFunctionsControls Form5::Controls() const {
  OptionalFunctionsControls c;
  c.Combo4 = Combo4_->currentIndex();
  c.Combo6 = Combo6_->currentIndex();
  c.Combo7 = Combo7_->currentIndex();
  c.Combo8 = Combo8_->currentIndex();
  c.Combo9 = Combo9_->currentIndex();
  c.Combo10 = Combo10_->currentIndex();
  c.Combo11 = Combo11_->currentIndex();
  c.Combo12 = Combo12_->currentIndex();
  c.Combo13 = Combo13_->currentIndex();
  c.Combo14 = Combo14_->currentIndex();
  c.Combo15 = Combo15_->currentIndex();
  c.Text5 = Text5_->text().toStdString();
  c.Text6 = Text6_->text().toStdString();
  c.Check3 = Check3_->isChecked();
  c.Check4 = Check4_->isChecked();
  return c;
}

void Form5::PriorityModeSelected(int mode) {
  ApplyPriority(PriorityModeChosen(mode, state_.grid, FixedPriorityChannel_));
}

void Form5::PriorityChannelSelected(int position) {
  ApplyPriority(PriorityChannelChosen(Combo11_->currentIndex(), position, state_.grid,
                                      FixedPriorityChannel_));
}

void Form5::ApplyPriority(const PriorityOutcome& outcome) {
  if (outcome.message == PriorityMessage::FixedNeedsChannel) {
    ShowMessage(messages_, language_,
                MessageSpec{&msg::kFixedNeedsChannel, mb::kOkOnly, &msg::kTipTitle});
  } else if (outcome.message == PriorityMessage::EmptyChannelChosen) {
    ShowMessage(messages_, language_, MessageSpec{&msg::kEmptyChannelChosen, mb::kOkOnly, nullptr});
  }
  Select(Combo11_, outcome.Combo11);
  if (outcome.Combo12 >= 0 || outcome.message == PriorityMessage::EmptyChannelChosen)
    Select(Combo12_, outcome.Combo12);
}

void Form5::SyncSpinner(QLineEdit* box, QScrollBar* spinner) {
  // The spinner continues from the number in its box.
  int seconds = 0;
  if (!ParseScanDelay(box->text().toStdString(), seconds)) return;
  QSignalBlocker block(spinner);
  spinner->setValue(kScanDelayMaximum - seconds);
}

void Form5::Store() {
  OptionalFunctionsStore result = StoreOptionalFunctions(Controls(), state_.shared);
  if (result != OptionalFunctionsStore::Stored) {
    messages_.Present(MakeMessageRequest(ScanDelayMessage(result, language_),
                                         mb::kOkOnly | mb::kIconExclamation, {}, language_));
    (result == OptionalFunctionsStore::BadReceiveDelay ? Text5_ : Text6_)->setFocus();
    return;
  }
  hide();
}

bool Form5::TAnMaClicked() {
  if (!TAnMaClick(unlock_, clock_(), state_.shared)) return false;
  emit tuningLocked();
  return true;
}

bool Form5::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() == QEvent::MouseButtonPress) {
    for (int k = 0; k < 3; ++k) {
      if (watched != unlockCaptions_[k]) continue;
      if (HiddenCaptionClick(unlock_, static_cast<UnlockCaption>(k + 1), clock_(), state_.shared))
        emit tuningUnlocked();
      break;
    }
  }
  return QWidget::eventFilter(watched, event);
}

}  // namespace kv3
