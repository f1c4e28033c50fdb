#include "dialogs/ui/file_dialogs.h"

#include <QFileDialog>
#include <QFileInfo>

#include "i18n/messages.h"

namespace kv3 {

QString QtFileDialogs::AskFileName(FileDialogKind kind) {
  QFileDialog dialog(owner_);
  dialog.setNameFilter(QString::fromUtf8(kAppTitle) + QStringLiteral("(*.DAT)"));
  dialog.setOption(QFileDialog::DontConfirmOverwrite);
  if (!lastFolder_.isEmpty()) dialog.setDirectory(lastFolder_);
  const bool interchange =
      kind == FileDialogKind::ImportInterchange || kind == FileDialogKind::ExportInterchange;
  if (interchange) {
    QStringList filters{QStringLiteral("CSV (*.csv *.CSV)"),
                        QStringLiteral("JSON (*.json *.JSON)")};
    // Either kind at once when a file is chosen to be read.
    if (kind == FileDialogKind::ImportInterchange)
      filters.prepend(QStringLiteral("CSV, JSON (*.csv *.json *.CSV *.JSON)"));
    dialog.setNameFilters(filters);
  }
  if (kind == FileDialogKind::ExportInterchange) {
    // The ending of the chosen filter is added to a name typed without one.
    dialog.setDefaultSuffix(QStringLiteral("csv"));
    QObject::connect(&dialog, &QFileDialog::filterSelected, &dialog,
                     [&dialog](const QString& filter) {
                       dialog.setDefaultSuffix(filter.startsWith(QStringLiteral("JSON"))
                                                   ? QStringLiteral("json")
                                                   : QStringLiteral("csv"));
                     });
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
  } else if (kind == FileDialogKind::SavePdf) {
    dialog.setNameFilter(QStringLiteral("PDF(*.pdf)"));
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setDefaultSuffix(QStringLiteral("pdf"));
  } else if (kind == FileDialogKind::SaveCodeplug) {
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setDefaultSuffix(QStringLiteral("DAT"));
  } else {
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.setFileMode(QFileDialog::ExistingFile);
  }
  if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return {};
  const QString file = dialog.selectedFiles().constFirst();
  lastFolder_ = QFileInfo(file).absolutePath();
  return file;
}

}  // namespace kv3
