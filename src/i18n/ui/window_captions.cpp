#include "i18n/ui/window_captions.h"

#include <QAbstractButton>
#include <QAction>
#include <QComboBox>
#include <QCoreApplication>
#include <QGroupBox>
#include <QLabel>
#include <QLayout>
#include <QMenu>
#include <QMenuBar>
#include <QTableWidget>
#include <QToolBar>
#include <QWidget>

#include "i18n/traditional.h"

namespace kv3 {

namespace {

QString Traditional(const QString& text) {
  return QString::fromStdString(ToTraditional(text.toStdString()));
}

// A window's own controls: every object below it, but nothing inside the
// windows it owns (a dialog, a list's pop-up, a menu: a menu is reached by
// its name, its items are the window's actions).
QObject* FindControl(QObject* parent, const QString& name) {
  const QObjectList& children = parent->children();
  for (QObject* child : children)
    if (child->objectName() == name) return child;
  for (QObject* child : children) {
    auto* widget = qobject_cast<QWidget*>(child);
    if (widget && widget->isWindow()) continue;
    if (QObject* found = FindControl(child, name)) return found;
  }
  return nullptr;
}

void SetCaption(QObject* control, const QString& text) {
  if (auto* menu = qobject_cast<QMenu*>(control)) {
    menu->setTitle(text);
  } else if (auto* action = qobject_cast<QAction*>(control)) {
    action->setText(text);
  } else if (auto* label = qobject_cast<QLabel*>(control)) {
    label->setText(text);
  } else if (auto* button = qobject_cast<QAbstractButton*>(control)) {
    button->setText(text);
  } else if (auto* frame = qobject_cast<QGroupBox*>(control)) {
    frame->setTitle(text);
  }
}

// Column `column` of a grid's header row: row 0 of a table of cells, the
// model's header of a table over a model.
void SetHeader(QObject* control, int column, const QString& text) {
  if (auto* cells = qobject_cast<QTableWidget*>(control)) {
    if (column < 0 || column >= cells->columnCount() || cells->rowCount() == 0) return;
    QTableWidgetItem* item = cells->item(0, column);
    if (!item) {
      item = new QTableWidgetItem;
      item->setFlags(Qt::ItemIsEnabled);
      cells->setItem(0, column, item);
    }
    item->setText(text);
  } else if (auto* table = qobject_cast<QTableView*>(control); table && table->model()) {
    table->model()->setHeaderData(column, Qt::Horizontal, text);
  }
}

void ConvertMenus(QMenuBar* bar) {
  for (QMenu* menu : bar->findChildren<QMenu*>()) {
    menu->setTitle(Traditional(menu->title()));
    for (QAction* action : menu->actions())
      if (!action->isSeparator() && !action->menu()) action->setText(Traditional(action->text()));
  }
  for (QAction* action : bar->actions())
    if (!action->menu()) action->setText(Traditional(action->text()));
}

void ConvertHeaders(QTableView* table) {
  if (auto* cells = qobject_cast<QTableWidget*>(table)) {
    for (int c = 0; c < cells->columnCount(); ++c)
      if (QTableWidgetItem* item = cells->rowCount() > 0 ? cells->item(0, c) : nullptr)
        item->setText(Traditional(item->text()));
  } else if (QAbstractItemModel* model = table->model()) {
    for (int c = 0; c < model->columnCount(); ++c)
      model->setHeaderData(c, Qt::Horizontal,
                           Traditional(model->headerData(c, Qt::Horizontal).toString()));
  }
}

// The controls below parent, by ConversionOfType: captions, list entries,
// grid header rows, the menus and the toolbar's own tip.
void ConvertControls(QWidget* parent) {
  for (QObject* child : parent->children()) {
    auto* w = qobject_cast<QWidget*>(child);
    if (!w || w->isWindow()) continue;
    if (auto* bar = qobject_cast<QMenuBar*>(w)) {
      ConvertMenus(bar);
      continue;
    }
    if (auto* toolbar = qobject_cast<QToolBar*>(w)) {
      toolbar->setToolTip(Traditional(toolbar->toolTip()));
      continue;
    }
    if (auto* label = qobject_cast<QLabel*>(w)) {
      label->setText(Traditional(label->text()));
    } else if (auto* button = qobject_cast<QAbstractButton*>(w)) {
      button->setText(Traditional(button->text()));
    } else if (auto* frame = qobject_cast<QGroupBox*>(w)) {
      frame->setTitle(Traditional(frame->title()));
    } else if (auto* combo = qobject_cast<QComboBox*>(w)) {
      for (int i = 0; i < combo->count(); ++i)
        combo->setItemText(i, Traditional(combo->itemText(i)));
    } else if (auto* table = qobject_cast<QTableView*>(w)) {
      ConvertHeaders(table);
    }
    ConvertControls(w);
  }
}

}  // namespace

WindowCaptions::WindowCaptions(std::function<QWidget*(Window)> windowOf,
                               std::function<void()> relabelGrid)
    : windowOf_(std::move(windowOf)), relabelGrid_(std::move(relabelGrid)) {}

void WindowCaptions::SetText(const CaptionTarget& target, const std::string& text) {
  QWidget* window = windowOf_(target.window);
  if (!window) return;
  const QString q = QString::fromStdString(text);
  switch (target.kind) {
    case CaptionKind::WindowTitle:
      window->setWindowTitle(q);
      return;
    case CaptionKind::ButtonTip:
      if (auto* toolbar = qobject_cast<QToolBar*>(FindControl(window, kToolbarName))) {
        const QList<QAction*> buttons = toolbar->actions();
        if (target.index >= 1 && target.index <= buttons.size())
          buttons[target.index - 1]->setToolTip(q);
      }
      return;
    default:
      break;
  }
  // A control that is not there (a grid's cell editor that is not open)
  // takes its texts when it is made.
  QObject* control = FindControl(window, QString::fromStdString(target.ObjectName()));
  if (!control) return;
  switch (target.kind) {
    case CaptionKind::Caption:
      SetCaption(control, q);
      break;
    case CaptionKind::ListEntry:
      if (auto* combo = qobject_cast<QComboBox*>(control);
          combo && target.index >= 0 && target.index < combo->count())
        combo->setItemText(target.index, q);
      break;
    case CaptionKind::GridHeader:
      SetHeader(control, target.index, q);
      break;
    default:
      break;
  }
}

void WindowCaptions::ConvertWindowToTraditional(Window window) {
  if (QWidget* w = windowOf_(window)) ConvertControls(w);
}

void WindowCaptions::SetGrid1Text() {
  if (relabelGrid_) relabelGrid_();
}

void ApplyWindowCaptions(QWidget* widget, Window window, Language lang, bool startup) {
  WindowCaptions sink([widget, window](Window w) { return w == window ? widget : nullptr; });
  ApplyWindowCaptions(window, lang, sink, startup);
}

void RemeasureTexts(QWidget* window) {
  for (QComboBox* combo : window->findChildren<QComboBox*>()) {
    // A list forgets its measured size when its style changes.
    QEvent remeasure(QEvent::StyleChange);
    QCoreApplication::sendEvent(combo, &remeasure);
    combo->updateGeometry();
  }
  // Every control and layout measures again, from the innermost out: a
  // layout keeps the sizes its controls had when it last measured them.
  for (QWidget* w : window->findChildren<QWidget*>()) w->updateGeometry();
  for (QLayout* layout : window->findChildren<QLayout*>()) layout->invalidate();
  if (QLayout* layout = window->layout()) {
    layout->invalidate();
    layout->activate();
  }
}

}  // namespace kv3
