#include "dialogs/ui/dialog_support.h"

#include <QAbstractButton>
#include <QComboBox>
#include <QCoreApplication>
#include <QGroupBox>
#include <QLabel>
#include <QLayout>
#include <QTableWidget>
#include <QTime>
#include <QWidget>

#include "i18n/traditional.h"

namespace kv3 {

namespace {

QString Traditional(const QString& text) {
  return Qs(ToTraditional(text.toStdString()));
}

void SetCaption(QWidget* w, const QString& text) {
  if (auto* label = qobject_cast<QLabel*>(w))
    label->setText(text);
  else if (auto* button = qobject_cast<QAbstractButton*>(w))
    button->setText(text);
  else if (auto* frame = qobject_cast<QGroupBox*>(w))
    frame->setTitle(text);
}

void SetGridHeader(QTableWidget* grid, int column, const QString& text) {
  if (column < 0 || column >= grid->columnCount() || grid->rowCount() == 0) return;
  QTableWidgetItem* item = grid->item(0, column);
  if (!item) {
    item = new QTableWidgetItem;
    item->setFlags(Qt::ItemIsEnabled);
    grid->setItem(0, column, item);
  }
  item->setText(text);
}

}  // namespace

void ApplyCaptionTable(QWidget* form, Window window, Language lang) {
  bool english = lang == Language::English;
  for (const CaptionRow& row : CaptionRowsOf(window)) {
    if (english && !row.hasEnglish) continue;
    QString text = Qs(english ? row.en : row.zh);
    const CaptionTarget& t = row.target;
    if (t.kind == CaptionKind::WindowTitle) {
      form->setWindowTitle(text);
      continue;
    }
    auto* w = form->findChild<QWidget*>(Qs(t.ObjectName()));
    if (!w) continue;
    switch (t.kind) {
      case CaptionKind::Caption:
        SetCaption(w, text);
        break;
      case CaptionKind::ListEntry:
        if (auto* combo = qobject_cast<QComboBox*>(w); combo && t.index < combo->count())
          combo->setItemText(t.index, text);
        break;
      case CaptionKind::GridHeader:
        if (auto* grid = qobject_cast<QTableWidget*>(w)) SetGridHeader(grid, t.index, text);
        break;
      default:
        break;
    }
  }
  if (lang == Language::Traditional) ConvertWidgetsToTraditional(form);
}

void ConvertWidgetsToTraditional(QWidget* form) {
  for (QWidget* w : form->findChildren<QWidget*>()) {
    if (auto* label = qobject_cast<QLabel*>(w)) {
      label->setText(Traditional(label->text()));
    } else if (auto* button = qobject_cast<QAbstractButton*>(w)) {
      button->setText(Traditional(button->text()));
    } else if (auto* frame = qobject_cast<QGroupBox*>(w)) {
      frame->setTitle(Traditional(frame->title()));
    } else if (auto* combo = qobject_cast<QComboBox*>(w)) {
      for (int i = 0; i < combo->count(); ++i)
        combo->setItemText(i, Traditional(combo->itemText(i)));
    } else if (auto* grid = qobject_cast<QTableWidget*>(w)) {
      for (int c = 0; c < grid->columnCount(); ++c)
        if (QTableWidgetItem* item = grid->rowCount() > 0 ? grid->item(0, c) : nullptr)
          item->setText(Traditional(item->text()));
    }
  }
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

double SecondsSinceMidnight() {
  return QTime::currentTime().msecsSinceStartOfDay() / 1000.0;
}

}  // namespace kv3
