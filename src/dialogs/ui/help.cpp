#include "dialogs/ui/help.h"

#include <QCoreApplication>
#include <QDesktopServices>
#include <QDir>
#include <QFileInfo>

#include "app/show_message.h"
#include "dialogs/dialog_messages.h"

namespace kv3 {

namespace {
constexpr char kManual[] = "help/index.html";

// The source tree this file was built from (for runs from a build tree).
QString SourceTreeManual() {
  QFileInfo self(QString::fromUtf8(__FILE__));  // <source>/src/dialogs/ui/help.cpp
  QDir dir = self.absoluteDir();
  for (int up = 0; up < 3; ++up) dir.cdUp();
  return dir.filePath(QStringLiteral("docs/") + kManual);
}
}  // namespace

bool OpenMakerSite() {
  return QDesktopServices::openUrl(QUrl(QString::fromUtf8(kMakerAddress)));
}

QString HelpFilePath() {
  QStringList candidates;
  QDir programDir(QCoreApplication::applicationDirPath());
  candidates << programDir.filePath(kManual);
  candidates << programDir.filePath(QStringLiteral("../share/kv3/") + kManual);
  candidates << SourceTreeManual();
  for (const QString& path : candidates)
    if (QFileInfo(path).isFile()) return QFileInfo(path).absoluteFilePath();
  return {};
}

bool OpenHelp(QWidget* owner, Language lang) {
  QString path = HelpFilePath();
  if (path.isEmpty()) {
    ShowMessage(owner, lang, QString::fromStdString(Localize(msg::kHelpMissing, lang)),
                mb::kOkOnly);
    return false;
  }
  return QDesktopServices::openUrl(QUrl::fromLocalFile(path));
}

}  // namespace kv3
