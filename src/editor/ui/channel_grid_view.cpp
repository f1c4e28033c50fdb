#include "editor/ui/channel_grid_view.h"

#include <QAbstractItemView>
#include <QComboBox>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMouseEvent>
#include <QTimer>

#include "editor/frequency_entry.h"
#include "editor/grid_text.h"
#include "editor/tone_entry.h"
#include "editor/ui/channel_grid_model.h"
#include "i18n/texts.h"

namespace kv3 {
namespace {

constexpr const char* kEditorKind = "kv3EditorKind";
constexpr const char* kCommitted = "kv3Committed";

int Twips(int twips, int dpi) {
  return (twips * dpi + 720) / 1440;
}

QStringList ToneListTexts(Language lang) {
  QStringList texts;
  texts.reserve(kToneListSize);
  texts << QString::fromStdString(Localize(kToneOff, lang));
  for (int i = 1; i < kToneListSize; ++i) {
    texts << QString::fromStdString(SetToneText(ToneAt(i)));
  }
  return texts;
}

GridEditor KindOf(const QWidget* editor) {
  return static_cast<GridEditor>(editor->property(kEditorKind).toInt());
}

}  // namespace

ChannelGridDelegate::ChannelGridDelegate(ChannelGridView& view)
    : QStyledItemDelegate(&view), view_(view) {}

QWidget* ChannelGridDelegate::createEditor(QWidget* parent, const QStyleOptionViewItem&,
                                           const QModelIndex&) const {
  const auto& pending = view_.pendingEditor();
  if (!pending) return nullptr;
  const Language lang = view_.gridModel().language();
  QWidget* editor = nullptr;
  switch (pending->editor) {
    case GridEditor::Frequency: {
      auto* text1 = new QLineEdit(parent);
      text1->setObjectName("Text1");
      text1->setAlignment(Qt::AlignCenter);
      text1->setText(QString::fromStdString(pending->text));
      text1->selectAll();
      editor = text1;
      break;
    }
    case GridEditor::Tone: {
      auto* combo8 = new QComboBox(parent);
      combo8->setObjectName("Combo8");
      combo8->setEditable(true);
      combo8->setInsertPolicy(QComboBox::NoInsert);
      combo8->setCompleter(nullptr);
      combo8->setMaxVisibleItems(16);
      combo8->addItems(ToneListTexts(lang));
      combo8->setCurrentIndex(pending->listPosition);
      if (pending->listPosition < 0) combo8->setEditText(QString::fromStdString(pending->text));
      combo8->lineEdit()->installEventFilter(const_cast<ChannelGridDelegate*>(this));
      connect(combo8, &QComboBox::activated, this,
              [this, combo8](int position) { Picked(combo8, position); });
      editor = combo8;
      break;
    }
    case GridEditor::Choice: {
      auto* combo5 = new QComboBox(parent);
      combo5->setObjectName(QStringLiteral("Combo5_%1").arg(pending->col));
      for (int i = 0; i < 2; ++i) {
        combo5->addItem(QString::fromStdString(ChoiceText(pending->col, i, lang)));
      }
      combo5->setCurrentIndex(pending->listPosition);
      connect(combo5, &QComboBox::activated, this,
              [this, combo5](int position) { Picked(combo5, position); });
      editor = combo5;
      break;
    }
    case GridEditor::None:
      return nullptr;
  }
  editor->setProperty(kEditorKind, static_cast<int>(pending->editor));
  return editor;
}

void ChannelGridDelegate::setEditorData(QWidget*, const QModelIndex&) const {
  // The editor got the cell's text when it was created; later repaints of
  // the model must not overwrite what the user is typing.
}

void ChannelGridDelegate::Picked(QWidget* editor, int position) const {
  if (editor->property(kCommitted).toBool()) return;
  editor->setProperty(kCommitted, true);
  EditorState& state = view_.gridModel().state();
  const int row = state.grid.EditRow;
  if (KindOf(editor) == GridEditor::Tone) {
    PickTone(state, position);
  } else {
    PickChoice(state.grid, position);
  }
  view_.gridModel().ReloadRow(row);
  auto* self = const_cast<ChannelGridDelegate*>(this);
  emit self->closeEditor(editor, QAbstractItemDelegate::NoHint);
  view_.setFocus(Qt::OtherFocusReason);
}

void ChannelGridDelegate::setModelData(QWidget* editor, QAbstractItemModel*,
                                       const QModelIndex&) const {
  if (editor->property(kCommitted).toBool()) return;
  editor->setProperty(kCommitted, true);
  EditorState& state = view_.gridModel().state();
  const int row = state.grid.EditRow;
  switch (KindOf(editor)) {
    case GridEditor::Frequency: {
      const std::string text = static_cast<QLineEdit*>(editor)->text().toStdString();
      const FrequencyCommit commit = CommitFrequency(state, text);
      if (commit.changed()) view_.gridModel().ReloadRow(row);
      if (commit.outcome == FrequencyOutcome::OutOfBand) view_.ReportMessage(commit.message);
      break;
    }
    case GridEditor::Tone: {
      auto* combo8 = static_cast<QComboBox*>(editor);
      const QString text = combo8->currentText();
      const int index = combo8->currentIndex();
      const int position = index >= 0 && combo8->itemText(index) == text ? index : -1;
      if (CommitTone(state, text.toStdString(), position)) view_.gridModel().ReloadRow(row);
      break;
    }
    default:
      // The choice lists store only what is picked from them.
      break;
  }
}

void ChannelGridDelegate::updateEditorGeometry(QWidget* editor, const QStyleOptionViewItem& option,
                                               const QModelIndex&) const {
  QRect rect = option.rect;
  if (KindOf(editor) != GridEditor::Frequency) {
    // The lists keep their own height, and are at least as wide as their
    // longest entry ("Hight" does not fit 800 twips beside the arrow).
    rect.setHeight(std::max(rect.height(), editor->sizeHint().height()));
    rect.setWidth(std::max(rect.width(), editor->sizeHint().width()));
  }
  editor->setGeometry(rect);
}

bool ChannelGridDelegate::eventFilter(QObject* object, QEvent* event) {
  if (event->type() == QEvent::KeyPress) {
    auto* key = static_cast<QKeyEvent*>(event);
    const QString text = key->text();
    auto* widget = qobject_cast<QWidget*>(object);
    QLineEdit* line = qobject_cast<QLineEdit*>(object);
    QWidget* editor = widget;
    if (auto* combo = qobject_cast<QComboBox*>(object)) {
      line = combo->lineEdit();
    } else if (line && qobject_cast<QComboBox*>(line->parentWidget())) {
      editor = line->parentWidget();
    }
    const bool typed = text.size() == 1 && key->key() != Qt::Key_Escape &&
                       key->key() != Qt::Key_Tab && key->key() != Qt::Key_Backtab &&
                       !(key->modifiers() & (Qt::ControlModifier | Qt::AltModifier));
    if (editor && line && typed && editor->property(kEditorKind).isValid()) {
      const char32_t ch = text.at(0).unicode();
      const KeyFilterResult result =
          KindOf(editor) == GridEditor::Frequency ? FrequencyKeyFilter(ch) : ToneKeyFilter(ch);
      switch (result.action) {
        case KeyAction::Discard:
          return true;
        case KeyAction::EndEdit:
          emit commitData(editor);
          emit closeEditor(editor, QAbstractItemDelegate::NoHint);
          view_.setFocus(Qt::OtherFocusReason);
          return true;
        case KeyAction::Accept:
          if (result.key != ch && result.key != 8) {
            line->insert(QString(QChar(static_cast<char16_t>(result.key))));
            return true;
          }
          break;
      }
    }
    if (object != editor) return false;  // the combo's line edit: the combo filters the rest
  }
  return QStyledItemDelegate::eventFilter(object, event);
}

ChannelGridView::ChannelGridView(ChannelGridModel& model, QWidget* parent)
    : QTableView(parent), model_(model), delegate_(new ChannelGridDelegate(*this)) {
  setObjectName("Grid1");
  setModel(&model_);
  setItemDelegate(delegate_);
  setEditTriggers(QAbstractItemView::NoEditTriggers);
  setSelectionMode(QAbstractItemView::NoSelection);
  setTabKeyNavigation(false);
  verticalHeader()->hide();
  horizontalHeader()->setSectionResizeMode(QHeaderView::Fixed);
  horizontalHeader()->setHighlightSections(false);
  horizontalHeader()->setDefaultAlignment(Qt::AlignCenter);
  setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  setCornerButtonEnabled(false);
  setWordWrap(false);
  ApplyLayout();
  connect(&model_, &QAbstractItemModel::headerDataChanged, this, [this] { ApplyLayout(); });
}

ChannelGridView::~ChannelGridView() {
  // An editor still open when the window goes away is dropped, not stored.
  delegate_->blockSignals(true);
}

void ChannelGridView::ApplyLayout() {
  const int dpiX = logicalDpiX();
  const int dpiY = logicalDpiY();
  int width = 0;
  const QFontMetrics metrics = horizontalHeader()->fontMetrics();
  for (int col = 0; col < 9; ++col) {
    // A header that does not fit its column (English "Channel") widens it.
    const int header = metrics.horizontalAdvance(model_.HeaderText(col)) + 6;
    const int w = std::max(Twips(kColumnTwips[col], dpiX), header);
    setColumnWidth(col, w);
    width += w;
  }
  const int rowHeight = Twips(kRowTwips, dpiY);
  verticalHeader()->setMinimumSectionSize(1);
  verticalHeader()->setDefaultSectionSize(rowHeight);
  for (int row = 0; row < model_.rowCount(); ++row) setRowHeight(row, rowHeight);
  horizontalHeader()->setFixedHeight(rowHeight + 2);
  const int frame = 2 * frameWidth();
  setFixedSize(width + frame, horizontalHeader()->height() + rowHeight * kChannelCount + frame);
}

QWidget* ChannelGridView::OpenEditorWidget() const {
  return openIndex_.isValid() ? indexWidget(openIndex_) : nullptr;
}

void ChannelGridView::CommitOpenEditor() {
  QWidget* editor = OpenEditorWidget();
  if (!editor) return;
  emit delegate_->commitData(editor);
  emit delegate_->closeEditor(editor, QAbstractItemDelegate::NoHint);
}

void ChannelGridView::DiscardOpenEditor() {
  QWidget* editor = OpenEditorWidget();
  if (!editor) return;
  editor->setProperty(kCommitted, true);
  closeEditor(editor, QAbstractItemDelegate::NoHint);
}

void ChannelGridView::ReportMessage(const MessageSpec& spec) {
  if (!messageHandler_) return;
  // After the editor has closed: a box must not open inside a focus change.
  QTimer::singleShot(0, this, [this, spec] {
    if (messageHandler_) messageHandler_(spec);
    setFocus(Qt::OtherFocusReason);
  });
}

void ChannelGridView::PressCell(int row, int col) {
  RequestGridEdit(model_.state().grid);
  OpenEditorAt(row, col, true);
}

void ChannelGridView::OpenEditorAt(int row, int col, bool dropDown) {
  const OpenEditor open = GridClick(model_.state().grid, row, col, model_.language());
  if (open.editor == GridEditor::None) return;
  const QModelIndex index = model_.CellIndex(open.row, open.col);
  setCurrentIndex(index);
  pending_ = open;
  openIndex_ = index;
  edit(index);
  pending_.reset();
  QWidget* editor = indexWidget(index);
  if (!editor) return;
  editor->raise();
  editor->setFocus(Qt::MouseFocusReason);
  if (auto* combo = qobject_cast<QComboBox*>(editor); combo && dropDown) combo->showPopup();
}

void ChannelGridView::mousePressEvent(QMouseEvent* event) {
  if (event->button() == Qt::RightButton) {
    setFocus(Qt::MouseFocusReason);
    return;
  }
  if (event->button() != Qt::LeftButton) return;
  const QModelIndex index = indexAt(event->position().toPoint());
  setFocus(Qt::MouseFocusReason);
  if (!index.isValid()) return;
  // A list drops down when the button is released, so that the release
  // does not land in the list and close it again.
  RequestGridEdit(model_.state().grid);
  OpenEditorAt(ChannelGridModel::GridRow(index), index.column(), false);
  dropDownOnRelease_ = true;
}

void ChannelGridView::mouseReleaseEvent(QMouseEvent*) {
  if (!dropDownOnRelease_) return;
  dropDownOnRelease_ = false;
  if (auto* combo = qobject_cast<QComboBox*>(OpenEditorWidget())) combo->showPopup();
}

void ChannelGridView::mouseMoveEvent(QMouseEvent*) {
  // The press was completed as a click: no drag selection.
}

void ChannelGridView::mouseDoubleClickEvent(QMouseEvent* event) {
  mousePressEvent(event);
}

void ChannelGridView::keyPressEvent(QKeyEvent* event) {
  if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
    const QModelIndex index = currentIndex().isValid() ? currentIndex() : model_.CellIndex(1, 1);
    PressCell(ChannelGridModel::GridRow(index), index.column());
    return;
  }
  QTableView::keyPressEvent(event);
}

}  // namespace kv3
