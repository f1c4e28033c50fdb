#include "dialogs/ui/form4.h"

#include <QFontMetrics>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLineEdit>
#include <QPushButton>
#include <QStyledItemDelegate>
#include <QTableWidget>
#include <QTimer>
#include <QVBoxLayout>
#include <algorithm>

#include "dialogs/dialog_messages.h"
#include "dialogs/ui/dialog_support.h"
#include "i18n/texts.h"
#include "i18n/ui/window_captions.h"

namespace kv3 {

namespace {

// Twips to pixels at 96 dots per inch.
constexpr int Px(int twips) {
  return twips / 15;
}

// Starts the editor only where the rules allow it and hands the typed text
// to the dialog instead of writing it into the cell.
class TestFrequencyDelegate : public QStyledItemDelegate {
 public:
  explicit TestFrequencyDelegate(Form4* form) : QStyledItemDelegate(form), form_(form) {}

  QWidget* createEditor(QWidget* parent, const QStyleOptionViewItem& option,
                        const QModelIndex& index) const override {
    if (!form_->CanEditCell(index.row(), index.column())) return nullptr;
    QWidget* editor = QStyledItemDelegate::createEditor(parent, option, index);
    if (auto* line = qobject_cast<QLineEdit*>(editor)) line->setAlignment(Qt::AlignCenter);
    return editor;
  }

  void setModelData(QWidget* editor, QAbstractItemModel*, const QModelIndex& index) const override {
    if (auto* line = qobject_cast<QLineEdit*>(editor))
      form_->EditCell(index.row(), index.column(), line->text());
  }

 private:
  Form4* form_;
};

}  // namespace

Form4::Form4(EditorState& state, const Language& language, MessagePresenter& messages,
             QWidget* parent)
    : QWidget(parent, Qt::Window), state_(state), language_(language), messages_(messages) {
  setObjectName("Form4");
  setWindowTitle(Qs(form4::kTitle));

  mfgrid1_ = new QTableWidget(kChannelCount + 1, 3, this);
  mfgrid1_->setObjectName("mfgrid1");
  mfgrid1_->horizontalHeader()->hide();
  mfgrid1_->verticalHeader()->hide();
  mfgrid1_->setSelectionMode(QAbstractItemView::SingleSelection);
  mfgrid1_->setItemDelegate(new TestFrequencyDelegate(this));
  // Selecting a frequency cell starts its editor at once.
  mfgrid1_->setEditTriggers(QAbstractItemView::AllEditTriggers);
  mfgrid1_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  mfgrid1_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  QFont bold = mfgrid1_->font();
  bold.setBold(true);
  for (int r = 0; r <= kChannelCount; ++r) {
    mfgrid1_->setRowHeight(r, Px(300));
    for (int c = 0; c < 3; ++c) {
      auto* item = new QTableWidgetItem;
      item->setTextAlignment(Qt::AlignCenter);
      bool fixed = r == 0 || c == 0;
      // The header row and the numbers can never become the current cell;
      // they keep the colours of enabled text.
      item->setFlags(fixed ? Qt::NoItemFlags
                           : Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsEditable);
      if (fixed) {
        item->setBackground(palette().button());
        item->setForeground(palette().windowText());
        if (r == 0) item->setFont(bold);
      }
      mfgrid1_->setItem(r, c, item);
    }
    if (r > 0) mfgrid1_->item(r, 0)->setText(QString::asprintf("%02d", r));
  }

  // A header written in another language (at a language switch) fits its
  // column again.
  connect(mfgrid1_, &QTableWidget::itemChanged, this, [this](QTableWidgetItem* item) {
    if (item->row() == 0) FitGrid();
  });

  Command1_ = new QPushButton(this);
  Command1_->setObjectName("Command1");
  Command2_ = new QPushButton(this);
  Command2_->setObjectName("Command2");
  connect(Command1_, &QPushButton::clicked, this, [this] { Store(); });
  connect(Command2_, &QPushButton::clicked, this, &QWidget::hide);

  auto* buttons = new QHBoxLayout;
  buttons->addStretch();
  buttons->addWidget(Command1_);
  buttons->addWidget(Command2_);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(mfgrid1_);
  layout->addLayout(buttons);
  layout->setSizeConstraint(QLayout::SetFixedSize);

  SetCaptions(language);
  LoadFromState();
}

void Form4::SetCaptions(Language lang) {
  ApplyWindowCaptions(this, Window::Form4, lang);
  FitGrid();
}

void Form4::FitGrid() {
  // The designed widths, widened where a header would not fit.
  constexpr int kWidths[3] = {900, 1530, 1530};
  int total = 2 * mfgrid1_->frameWidth();
  for (int c = 0; c < 3; ++c) {
    QTableWidgetItem* header = mfgrid1_->item(0, c);
    QFontMetrics metrics(header->font());
    int width = std::max(Px(kWidths[c]), metrics.horizontalAdvance(header->text()) + 12);
    mfgrid1_->setColumnWidth(c, width);
    total += width;
  }
  mfgrid1_->setFixedSize(total, Px(300) * (kChannelCount + 1) + 2 * mfgrid1_->frameWidth());
}

void Form4::LoadFromState() {
  rows_ = RowsFromTable(state_.shared);
  for (int r = 1; r <= kChannelCount; ++r) ShowRow(r);
}

bool Form4::CanEditCell(int row, int column) const {
  if (row < 1 || row > kChannelCount) return false;
  return CanEditTestFrequency(rows_[row - 1], column);
}

bool Form4::EditCell(int row, int column, const QString& text) {
  if (row < 1 || row > kChannelCount) return false;
  TestFrequencyEdit result = EditTestFrequency(rows_[row - 1], column, text.toStdString());
  ShowRow(row);
  if (result == TestFrequencyEdit::NotAFrequency) {
    // Told after the editor has closed, so the box does not interrupt the commit.
    const MessageRequest request =
        MakeMessageRequest(Localize(msg::kTestFrequencyInvalid, language_),
                           mb::kOkOnly | mb::kIconExclamation, {}, language_);
    QTimer::singleShot(0, this, [this, request] { messages_.Present(request); });
  }
  return result == TestFrequencyEdit::Accepted || result == TestFrequencyEdit::Unchanged;
}

void Form4::ShowRow(int row) {
  const TestFrequencyRow& r = rows_[row - 1];
  mfgrid1_->item(row, 1)->setText(Qs(FrequencyText(r.rx)));
  mfgrid1_->item(row, 2)->setText(Qs(FrequencyText(r.tx)));
}

void Form4::Store() {
  StoreRows(rows_, state_.shared);
  hide();
}

}  // namespace kv3
