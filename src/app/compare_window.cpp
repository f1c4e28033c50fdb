#include "app/compare_window.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

#include "i18n/ui/window_captions.h"

namespace kv3 {

CompareWindow::CompareWindow(Language language, QWidget* parent)
    : QWidget(parent, Qt::Window), language_(language) {
  setObjectName("frmCompare");
  lblSummary_ = new QLabel(this);
  lblSummary_->setObjectName("lblSummary");
  lblSummary_->setTextFormat(Qt::PlainText);
  lstDifferences_ = new QListWidget(this);
  lstDifferences_->setObjectName("lstDifferences");
  lstDifferences_->setSelectionMode(QAbstractItemView::ExtendedSelection);
  cmdWrite_ = new QPushButton(this);
  cmdWrite_->setObjectName("cmdWrite");
  cmdWrite_->setAutoDefault(false);
  auto* cmdClose = new QPushButton(this);
  cmdClose->setObjectName("cmdClose");
  cmdClose->setAutoDefault(false);
  auto* buttons = new QHBoxLayout;
  buttons->addStretch(1);
  buttons->addWidget(cmdWrite_);
  buttons->addWidget(cmdClose);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(lblSummary_);
  layout->addWidget(lstDifferences_, 1);
  layout->addLayout(buttons);
  connect(cmdClose, &QPushButton::clicked, this, &QWidget::close);
  connect(cmdWrite_, &QPushButton::clicked, this, [this] {
    // What the window shows is what the radio held before the write.
    close();
    emit writeRequested();
  });
  SetLanguage(language_);
  resize(640, 400);
}

void CompareWindow::Compare(const EditorState& other, const EditorState& editor,
                            CompareSource source) {
  other_ = other;
  editor_ = editor;
  source_ = source;
  cmdWrite_->setVisible(source == CompareSource::Radio);
  Show();
}

void CompareWindow::SetLanguage(Language language) {
  language_ = language;
  ApplyWindowCaptions(this, Window::frmCompare, language_, false);
  Show();
}

void CompareWindow::SetWriteEnabled(bool enabled) {
  cmdWrite_->setEnabled(enabled);
}

void CompareWindow::Show() {
  lstDifferences_->clear();
  if (!other_ || !editor_) {
    lblSummary_->clear();
    return;
  }
  const Comparison c = CompareWithEditor(*other_, *editor_, source_, language_);
  lblSummary_->setText(QString::fromStdString(c.heading));
  for (const std::string& line : c.lines) lstDifferences_->addItem(QString::fromStdString(line));
}

QStringList CompareWindow::lines() const {
  QStringList out;
  for (int i = 0; i < lstDifferences_->count(); ++i) out << lstDifferences_->item(i)->text();
  return out;
}

QString CompareWindow::heading() const {
  return lblSummary_->text();
}

}  // namespace kv3
