#include "editor/ui/channel_grid_view.h"

#include <QAbstractItemView>
#include <QClipboard>
#include <QComboBox>
#include <QContextMenuEvent>
#include <QGuiApplication>
#include <QHeaderView>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMenu>
#include <QMouseEvent>
#include <QTimer>
#include <algorithm>
#include <string>

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

// The tone editor Combo8. Its list takes the focus when it drops down, which
// would clear the selection of the text box: the selection is kept, so that
// the first key typed still replaces the tone shown.
class ToneCombo : public QComboBox {
 public:
  using QComboBox::QComboBox;

  void showPopup() override {
    QLineEdit* line = lineEdit();
    const int start = line ? line->selectionStart() : -1;
    const qsizetype length = start >= 0 ? line->selectedText().size() : 0;
    QComboBox::showPopup();
    if (start >= 0) line->setSelection(start, static_cast<int>(length));
  }
};

// The in-place editor an event belongs to: the editor itself, the text box
// of the tone editor, or the tone editor's pop-up list (whose window is a
// child of the editor).
QWidget* EditorOf(QObject* object) {
  for (QObject* o = object; o; o = o->parent()) {
    auto* widget = qobject_cast<QWidget*>(o);
    if (widget && widget->property(kEditorKind).isValid()) return widget;
  }
  return nullptr;
}

QLineEdit* TextBoxOf(QWidget* editor) {
  if (auto* combo = qobject_cast<QComboBox*>(editor)) return combo->lineEdit();
  return qobject_cast<QLineEdit*>(editor);
}

// The keys an open tone list keeps: moving through it, picking and closing.
// Every other key belongs to the text box.
bool ListKey(const QKeyEvent* key) {
  switch (key->key()) {
    case Qt::Key_Up:
    case Qt::Key_Down:
    case Qt::Key_PageUp:
    case Qt::Key_PageDown:
    case Qt::Key_Return:
    case Qt::Key_Enter:
    case Qt::Key_Escape:
    case Qt::Key_F4:
    case Qt::Key_Tab:
    case Qt::Key_Backtab:
      return true;
    default:
      return false;
  }
}

// Inserts a text given at once (a paste, an input method's text) as if it
// had been typed: through the editor's key filter.
void InsertFiltered(QLineEdit* line, KeyFilter filter, const QString& text) {
  const QList<uint> ucs4 = text.toUcs4();
  const std::u32string chars(ucs4.cbegin(), ucs4.cend());
  const std::string kept = FilterTypedText(chars, filter);
  if (!kept.empty()) line->insert(QString::fromLatin1(kept.data(), qsizetype(kept.size())));
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
      text1->setAcceptDrops(false);  // typing and pasting go through the key filter
      editor = text1;
      break;
    }
    case GridEditor::Tone: {
      auto* combo8 = new ToneCombo(parent);
      combo8->setObjectName("Combo8");
      combo8->setEditable(true);
      combo8->setInsertPolicy(QComboBox::NoInsert);
      combo8->setCompleter(nullptr);
      combo8->setMaxVisibleItems(16);
      combo8->addItems(ToneListTexts(lang));
      combo8->setCurrentIndex(pending->listPosition);
      if (pending->listPosition < 0) combo8->setEditText(QString::fromStdString(pending->text));
      // The first key typed replaces the tone shown.
      combo8->lineEdit()->selectAll();
      combo8->lineEdit()->setAcceptDrops(false);
      // Keys reach the text box, or the list while it is open: both are
      // filtered here.
      combo8->lineEdit()->installEventFilter(const_cast<ChannelGridDelegate*>(this));
      combo8->view()->installEventFilter(const_cast<ChannelGridDelegate*>(this));
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

void ChannelGridDelegate::initStyleOption(QStyleOptionViewItem* option,
                                          const QModelIndex& index) const {
  QStyledItemDelegate::initStyleOption(option, index);
  if (option->state & QStyle::State_Enabled) {
    // The current cell shows its frame whether or not the grid has the focus.
    if (index == view_.currentIndex()) option->state |= QStyle::State_HasFocus;
    return;
  }
  // A locked grid: every row shows the disabled look. The light blue rows
  // keep their colour, dimmed, and their text is greyed like the others'.
  const QPalette& palette = view_.palette();
  option->palette.setBrush(QPalette::Text, palette.brush(QPalette::Disabled, QPalette::Text));
  if (option->backgroundBrush.style() != Qt::NoBrush && index.column() > 0) {
    const QColor own = option->backgroundBrush.color();
    const QColor base = palette.color(QPalette::Disabled, QPalette::Base);
    option->backgroundBrush = QColor((own.red() + base.red()) / 2, (own.green() + base.green()) / 2,
                                     (own.blue() + base.blue()) / 2);
  }
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
  emit view_.edited(static_cast<EditStep>(state.grid.EditCol - 1));
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
      return;
  }
  emit view_.edited(static_cast<EditStep>(state.grid.EditCol - 1));
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
  QWidget* editor = EditorOf(object);
  if (editor && (KindOf(editor) == GridEditor::Frequency || KindOf(editor) == GridEditor::Tone) &&
      FilterInput(editor, object, event)) {
    return true;
  }
  // The text box and the list of the tone editor: the editor itself takes
  // the rest (focus, Tab, Escape).
  if (object != editor) return false;
  return QStyledItemDelegate::eventFilter(object, event);
}

// Everything that puts text into a frequency or tone editor goes through its
// key filter: typed keys (whether or not the tone list is open), pastes, and
// the text of an input method. Editing keys (Delete, Backspace, arrows,
// Home, End, selection, undo) are the text box's own. Returns whether the
// event was taken.
bool ChannelGridDelegate::FilterInput(QWidget* editor, QObject* object, QEvent* event) {
  const KeyFilter filter =
      KindOf(editor) == GridEditor::Frequency ? &FrequencyKeyFilter : &ToneKeyFilter;
  QLineEdit* line = TextBoxOf(editor);
  if (!line) return false;
  auto* combo = qobject_cast<QComboBox*>(editor);
  const bool inList = combo && object != editor && object != line;
  if (inList && (event->type() == QEvent::KeyPress || event->type() == QEvent::ShortcutOverride)) {
    auto* key = static_cast<QKeyEvent*>(event);
    // The list picks on the shortcut check of Enter. Keys typed quickly
    // after the list has closed still arrive at its window: they are the
    // text box's, Enter too.
    const bool open = combo->view()->isVisible();
    if (open && ListKey(key)) return false;
    if (event->type() == QEvent::ShortcutOverride) {
      key->accept();  // not the list's: it comes as a key press, for the text box
      return true;
    }
    // After a pick the editor is closing: nothing more to type into.
    if (editor->property(kCommitted).toBool()) return true;
    // A key for the text box closes the list and goes to the text box.
    if (open) combo->hidePopup();
    QKeyEvent again(key->type(), key->key(), key->modifiers(), key->nativeScanCode(),
                    key->nativeVirtualKey(), key->nativeModifiers(), key->text(),
                    key->isAutoRepeat(), key->count());
    QCoreApplication::sendEvent(editor, &again);
    return true;
  }
  switch (event->type()) {
    case QEvent::KeyPress: {
      auto* key = static_cast<QKeyEvent*>(event);
      if (key->key() == Qt::Key_Tab || key->key() == Qt::Key_Backtab) {
        // Commits and opens the next (previous) cell's editor.
        const bool back = key->key() == Qt::Key_Backtab || (key->modifiers() & Qt::ShiftModifier);
        emit commitData(editor);
        emit closeEditor(editor, back ? QAbstractItemDelegate::EditPreviousItem
                                      : QAbstractItemDelegate::EditNextItem);
        return true;
      }
      if (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) {
        if (filter(13).action != KeyAction::EndEdit) return false;
        emit commitData(editor);
        emit closeEditor(editor, QAbstractItemDelegate::NoHint);
        view_.setFocus(Qt::OtherFocusReason);
        return true;
      }
      if (key->matches(QKeySequence::Paste)) {
        InsertFiltered(line, filter, QGuiApplication::clipboard()->text());
        return true;
      }
      const QString text = key->text();
      // Keys that type no character (Delete brings U+007F, Backspace U+0008)
      // and shortcuts are the text box's own.
      const bool typed =
          !text.isEmpty() && text.at(0).isPrint() &&
          !(key->modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier));
      if (!typed) return false;
      InsertFiltered(line, filter, text);
      return true;
    }
    case QEvent::InputMethod: {
      auto* input = static_cast<QInputMethodEvent*>(event);
      if (object != line || input->commitString().isEmpty()) return false;
      InsertFiltered(line, filter, input->commitString());
      return true;
    }
    case QEvent::MouseButtonRelease: {
      // The middle button pastes the selection of another window.
      auto* mouse = static_cast<QMouseEvent*>(event);
      if (object != line || mouse->button() != Qt::MiddleButton ||
          !QGuiApplication::clipboard()->supportsSelection()) {
        return false;
      }
      line->deselect();
      InsertFiltered(line, filter, QGuiApplication::clipboard()->text(QClipboard::Selection));
      return true;
    }
    case QEvent::ContextMenu: {
      if (object != line) return false;
      // The text box's own menu, whose Paste goes through the filter.
      QMenu* menu = line->createStandardContextMenu();
      menu->setAttribute(Qt::WA_DeleteOnClose);
      // (Its Paste is known by the caption the text box gives it, in the
      // language of Qt's translations.)
      const QString pasteCaption = QCoreApplication::translate("QLineEdit", "&Paste");
      for (QAction* action : menu->actions()) {
        if (action->text().section(u'\t', 0, 0) != pasteCaption) continue;
        action->disconnect();
        connect(action, &QAction::triggered, line, [line, filter] {
          InsertFiltered(line, filter, QGuiApplication::clipboard()->text());
        });
      }
      menu->popup(static_cast<QContextMenuEvent*>(event)->globalPos());
      return true;
    }
    default:
      return false;
  }
}

ChannelGridView::ChannelGridView(ChannelGridModel& model, QWidget* parent)
    : QTableView(parent), model_(model), delegate_(new ChannelGridDelegate(*this)) {
  setObjectName("Grid1");
  setModel(&model_);
  setItemDelegate(delegate_);
  setEditTriggers(QAbstractItemView::NoEditTriggers);
  setSelectionMode(QAbstractItemView::ExtendedSelection);
  setSelectionBehavior(QAbstractItemView::SelectItems);
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
  selectionModel()->setCurrentIndex(index, QItemSelectionModel::NoUpdate);
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
  const QModelIndex index = indexAt(event->position().toPoint());
  if (event->button() == Qt::RightButton) {
    setFocus(Qt::MouseFocusReason);
    // The menu is for what is selected: a click outside it selects the cell.
    if (index.isValid() && !selectionModel()->isSelected(index)) SelectOnPress(index, {});
    return;
  }
  if (event->button() != Qt::LeftButton) return;
  setFocus(Qt::MouseFocusReason);
  if (!index.isValid()) return;
  const Qt::KeyboardModifiers extend =
      event->modifiers() & (Qt::ShiftModifier | Qt::ControlModifier);
  SelectOnPress(index, extend);
  // Shift or Ctrl extends the selection; a click on a channel's number
  // selects its row (an empty channel's opens its receive frequency as any
  // click on it does).
  if (extend) return;
  if (index.column() == 0 && !model_.state().grid.channels[index.row()].empty()) return;
  // A list drops down when the button is released, so that the release
  // does not land in the list and close it again.
  RequestGridEdit(model_.state().grid);
  OpenEditorAt(ChannelGridModel::GridRow(index), index.column(), false);
  dropDownOnRelease_ = true;
}

void ChannelGridView::SelectOnPress(const QModelIndex& index, Qt::KeyboardModifiers modifiers) {
  QItemSelectionModel* selection = selectionModel();
  const bool row = index.column() == 0;
  const QModelIndex last = model_.index(index.row(), ChannelGridModel::kColumns - 1);
  if (modifiers & Qt::ShiftModifier && anchor_.isValid()) {
    const int top = std::min(anchor_.row(), index.row());
    const int bottom = std::max(anchor_.row(), index.row());
    const int left = row || anchor_.column() == 0 ? 0 : std::min(anchor_.column(), index.column());
    const int right = row || anchor_.column() == 0 ? ChannelGridModel::kColumns - 1
                                                   : std::max(anchor_.column(), index.column());
    const QItemSelection range(model_.index(top, left), model_.index(bottom, right));
    selection->select(range,
                      (modifiers & Qt::ControlModifier ? QItemSelectionModel::Select
                                                       : QItemSelectionModel::ClearAndSelect));
    selection->setCurrentIndex(index, QItemSelectionModel::NoUpdate);
    return;
  }
  const QItemSelection cells = row ? QItemSelection(index, last) : QItemSelection(index, index);
  if (modifiers & Qt::ControlModifier) {
    selection->select(cells, QItemSelectionModel::Toggle);
  } else if (row) {
    selection->select(cells, QItemSelectionModel::ClearAndSelect);
  } else {
    // A plain click on a cell makes it the current one (framed), and the
    // commands act on it; its text stays as it is drawn.
    selection->clearSelection();
  }
  selection->setCurrentIndex(index, QItemSelectionModel::NoUpdate);
  anchor_ = index;
}

std::vector<GridCell> ChannelGridView::SelectedCells() const {
  std::vector<GridCell> cells;
  QModelIndexList indexes = selectionModel()->selectedIndexes();
  std::sort(indexes.begin(), indexes.end());
  for (const QModelIndex& index : indexes)
    cells.push_back({ChannelGridModel::GridRow(index), index.column()});
  if (cells.empty() && currentIndex().isValid())
    cells.push_back({ChannelGridModel::GridRow(currentIndex()), currentIndex().column()});
  return cells;
}

std::vector<int> ChannelGridView::SelectedRows() const {
  std::vector<int> rows;
  for (const GridCell& cell : SelectedCells())
    if (std::find(rows.begin(), rows.end(), cell.row) == rows.end()) rows.push_back(cell.row);
  std::sort(rows.begin(), rows.end());
  return rows;
}

void ChannelGridView::SelectRows(int first, int last) {
  if (first < 1 || last > kChannelCount || first > last) return;
  const QModelIndex top = model_.CellIndex(first, 0);
  selectionModel()->select(
      QItemSelection(top, model_.CellIndex(last, ChannelGridModel::kColumns - 1)),
      QItemSelectionModel::ClearAndSelect);
  selectionModel()->setCurrentIndex(top, QItemSelectionModel::NoUpdate);
  anchor_ = top;
}

void ChannelGridView::contextMenuEvent(QContextMenuEvent* event) {
  if (!commandsEnabled()) return;
  emit contextMenuWanted(event->globalPos());
}

void ChannelGridView::closeEditor(QWidget* editor, QAbstractItemDelegate::EndEditHint hint) {
  const QModelIndex from = openIndex_.isValid() ? openIndex_ : currentIndex();
  QTableView::closeEditor(editor, QAbstractItemDelegate::NoHint);
  if (hint != QAbstractItemDelegate::EditNextItem &&
      hint != QAbstractItemDelegate::EditPreviousItem) {
    return;
  }
  // Tab goes on to the next cell with an editor (columns 1..8, row by row);
  // the grid's rules choose the editor there (an empty channel's is its
  // receive frequency).
  int row = ChannelGridModel::GridRow(from), col = from.column();
  const int step = hint == QAbstractItemDelegate::EditNextItem ? 1 : -1;
  col += step;
  if (col > 8) {
    col = 1;
    ++row;
  } else if (col < 1) {
    col = 8;
    --row;
  }
  if (row < 1 || row > kChannelCount) {
    setFocus(Qt::OtherFocusReason);
    return;
  }
  // An empty channel has only its receive frequency: going back skips over it.
  if (model_.state().grid.channels[static_cast<size_t>(row - 1)].empty()) col = 1;
  QTimer::singleShot(0, this, [this, row, col] {
    if (!isEnabled() || OpenEditorWidget()) return;
    RequestGridEdit(model_.state().grid);
    selectionModel()->clearSelection();
    OpenEditorAt(row, col, false);
  });
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
  const bool plain = !(event->modifiers() & (Qt::ControlModifier | Qt::AltModifier |
                                             Qt::MetaModifier | Qt::ShiftModifier));
  if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter ||
      (event->key() == Qt::Key_F2 && plain)) {
    const QModelIndex index = currentIndex().isValid() ? currentIndex() : model_.CellIndex(1, 1);
    PressCell(ChannelGridModel::GridRow(index), index.column());
    return;
  }
  if ((event->key() == Qt::Key_Delete || event->key() == Qt::Key_Backspace) && plain) {
    if (commandsEnabled()) ClearSelectedCells();
    return;
  }
  const QString text = event->text();
  const bool typed =
      !text.isEmpty() && text.at(0).isPrint() &&
      !(event->modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier));
  if (typed) {
    if (commandsEnabled()) StartTyping(event);
    return;
  }
  QTableView::keyPressEvent(event);
  // The keys that move the current cell move the selection with it; a Shift
  // move extends it from where it started.
  if (!(event->modifiers() & Qt::ShiftModifier) && currentIndex().isValid())
    anchor_ = currentIndex();
}

void ChannelGridView::StartTyping(QKeyEvent* event) {
  const QModelIndex index = currentIndex().isValid() ? currentIndex() : model_.CellIndex(1, 1);
  RequestGridEdit(model_.state().grid);
  OpenEditorAt(ChannelGridModel::GridRow(index), std::max(index.column(), 1), false);
  QWidget* editor = OpenEditorWidget();
  if (!editor) return;
  // The character replaces the text shown, through the editor's key filter.
  QWidget* target = editor;
  if (auto* combo = qobject_cast<QComboBox*>(editor)) {
    if (!combo->isEditable()) return;  // the choice lists only pick
    target = combo->lineEdit();
  }
  QKeyEvent again(QEvent::KeyPress, event->key(), event->modifiers(), event->text());
  QCoreApplication::sendEvent(target, &again);
}

void ChannelGridView::ClearSelectedCells() {
  const std::vector<GridCell> cells = SelectedCells();
  if (cells.empty()) return;
  if (ClearCells(model_.state(), cells)) model_.Reload();
  emit edited(EditStep::ClearChannels);
}

}  // namespace kv3
