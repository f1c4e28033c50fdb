// File ▸ Print… and Export PDF…: the codeplug's printed record
// (interchange/codeplug_record.h) laid out by QTextDocument, on the printer
// and paper the user picks in the print dialog, or into a PDF file on the
// paper of the user's locale. The PDF is made in memory and replaces the file
// atomically, so a failed export leaves no half file.
#include <QAction>
#include <QBuffer>
#include <QDateTime>
#include <QFile>
#include <QFileInfo>
#include <QLocale>
#include <QMarginsF>
#include <QMenu>
#include <QPageLayout>
#include <QPageSize>
#include <QPdfWriter>
#include <QPrintDialog>
#include <QPrinter>
#include <QTextDocument>
#include <ctime>

#include "app/main_window.h"
#include "app/main_window_menus.h"
#include "dialogs/ui/file_dialogs.h"
#include "editor/ui/channel_grid_view.h"
#include "i18n/messages.h"
#include "i18n/texts.h"
#include "interchange/codeplug_record.h"
#include "platform/atomic_file.h"

namespace kv3 {

namespace {

// The margins of the record's pages, as its style's @page gives them.
const QMarginsF kMarginsMm(12, 14, 12, 14);

std::string RecordNow() {
  const QDateTime now = QDateTime::currentDateTime();
  std::tm local{};
  local.tm_year = now.date().year() - 1900;
  local.tm_mon = now.date().month() - 1;
  local.tm_mday = now.date().day();
  local.tm_hour = now.time().hour();
  local.tm_min = now.time().minute();
  return RecordTime(local);
}

// Letter where the locale measures as the United States do, A4 elsewhere.
QPageSize LocalePaper() {
  return QLocale().measurementSystem() == QLocale::ImperialUSSystem ? QPageSize(QPageSize::Letter)
                                                                    : QPageSize(QPageSize::A4);
}

// Lays the record out on the device's pages (QTextDocument repeats the
// channel table's header row on every page and numbers the pages).
void Render(const std::string& html, QPagedPaintDevice& device) {
  QTextDocument document;
  document.setHtml(QString::fromStdString(html));
  document.print(&device);
}

}  // namespace

void MainWindow::AddPrintCommands(QMenu* fileMenu) {
  QAction* mnuPrint = NewAction(this, "mnuPrint");
  QAction* mnuExportPdf = NewAction(this, "mnuExportPdf");
  mnuPrint->setShortcut(QKeySequence::Print);
  // After the other commands of files, before the line above Quit.
  QAction* line = nullptr;
  for (QAction* action : fileMenu->actions())
    if (action->objectName() == "mnuline") line = action;
  fileMenu->insertAction(line, mnuPrint);
  fileMenu->insertAction(line, mnuExportPdf);
  connect(mnuPrint, &QAction::triggered, this, &MainWindow::FilePrint);
  connect(mnuExportPdf, &QAction::triggered, this, &MainWindow::FileExportPdf);
}

void MainWindow::FilePrint() {
  grid_->CommitOpenEditor();
  QPrinter printer(QPrinter::HighResolution);
  printer.setDocName(QString::fromUtf8(kAppTitle));
  printer.setPageMargins(kMarginsMm, QPageLayout::Millimeter);
  QPrintDialog dialog(&printer, this);
  dialog.setObjectName("PrintDialog");
  dialog.setOption(QAbstractPrintDialog::PrintSelection, false);
  dialog.setOption(QAbstractPrintDialog::PrintCurrentPage, false);
  if (dialog.exec() != QDialog::Accepted) return;
  // The record as the codeplug stands after the dialog closed.
  Render(CodeplugRecordHtml(state_, language_, {recordFile_.toStdString(), RecordNow()}), printer);
  if (printer.printerState() == QPrinter::Error) {
    // The printer, or the file a "print to file" was to write.
    const QString target =
        printer.outputFileName().isEmpty() ? printer.printerName() : printer.outputFileName();
    Message(Localize(msg::kPrintFailed, language_) + target.toStdString(), mb::kIconStop);
  }
}

void MainWindow::FileExportPdf() {
  grid_->CommitOpenEditor();
  for (;;) {
    const QString file = fileDialogs_->AskFileName(FileDialogKind::SavePdf);
    if (file.isEmpty()) return;
    if (QFileInfo::exists(file)) {
      const MessageSpec overwrite{&msg::kOverwrite, mb::kYesNo + mb::kIconQuestion, nullptr};
      if (Message(overwrite) != mr::kYes) continue;  // back to the dialog
    }
    const std::string html =
        CodeplugRecordHtml(state_, language_, {recordFile_.toStdString(), RecordNow()});
    QBuffer pdf;
    pdf.open(QIODevice::WriteOnly);
    {
      QPdfWriter writer(&pdf);
      writer.setTitle(QString::fromUtf8(kAppTitle) + " " +
                      QString::fromStdString(Localize(record::kTitle, language_)));
      writer.setCreator(QString::fromUtf8(kAppTitle));
      writer.setPageLayout(
          QPageLayout(LocalePaper(), QPageLayout::Portrait, kMarginsMm, QPageLayout::Millimeter));
      Render(html, writer);
    }
    const FileIoResult result =
        pdf.data().isEmpty()
            ? FileIoResult{true, "nothing was drawn", {}}
            : WriteFileAtomically(QFile::encodeName(file).toStdString(), pdf.data().toStdString());
    if (!result.ok())
      Message(
          Localize(msg::kPdfExportFailed, language_) + file.toStdString() + "\n" + result.detail,
          mb::kIconStop);
    return;
  }
}

}  // namespace kv3
