#include "app/file_dialogs.h"

#include <QFileDialog>
#include <QFileInfo>
#include <utility>

#include "i18n/messages.h"

namespace kv3 {
namespace {

FileDialogResponder& Responder() {
  static FileDialogResponder responder;
  return responder;
}

// The folder of the last file chosen in this run.
QString& LastFolder() {
  static QString folder;
  return folder;
}

QString Ask(QWidget* owner, bool save) {
  if (Responder()) return Responder()(save);
  QFileDialog dialog(owner);
  dialog.setNameFilter(QString::fromUtf8(kAppTitle) + QStringLiteral("(*.DAT)"));
  dialog.setOption(QFileDialog::DontConfirmOverwrite);
  if (!LastFolder().isEmpty()) dialog.setDirectory(LastFolder());
  if (save) {
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setDefaultSuffix(QStringLiteral("DAT"));
  } else {
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.setFileMode(QFileDialog::ExistingFile);
  }
  if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return {};
  const QString file = dialog.selectedFiles().constFirst();
  LastFolder() = QFileInfo(file).absolutePath();
  return file;
}

}  // namespace

QString AskOpenFileName(QWidget* owner) {
  return Ask(owner, false);
}
QString AskSaveFileName(QWidget* owner) {
  return Ask(owner, true);
}

FileDialogResponder SetFileDialogResponder(FileDialogResponder responder) {
  return std::exchange(Responder(), std::move(responder));
}

}  // namespace kv3
