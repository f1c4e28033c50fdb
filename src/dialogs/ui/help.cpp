#include "dialogs/ui/help.h"

#include <QAction>
#include <QCoreApplication>
#include <QDesktopServices>
#include <QDir>
#include <QFileInfo>
#include <QWidget>

#include "dialogs/dialog_messages.h"

// The installed manual's folder, relative to the installed program's.
#ifndef KV3_INSTALLED_HELP_DIR
#define KV3_INSTALLED_HELP_DIR "../share/kv3/help"
#endif

namespace kv3 {

bool OpenMakerSite() {
  return QDesktopServices::openUrl(QUrl(QString::fromUtf8(kMakerAddress)));
}

QString HelpFilePath(Language lang, HelpTopic topic) {
  QDir programDir(QCoreApplication::applicationDirPath());
  // Beside the program, as installed (KV3_INSTALLED_HELP_DIR is relative to
  // the program's folder), then (for a program run from a build tree) the
  // manual the build made and the source tree's.
  const QString roots[] = {programDir.filePath(QStringLiteral("help")),
                           programDir.filePath(QStringLiteral(KV3_INSTALLED_HELP_DIR)),
                           QStringLiteral(KV3_BUILD_HELP_DIR), QStringLiteral(KV3_SOURCE_HELP_DIR)};
  const QString page = QString::fromStdString(HelpPagePath(lang, topic));
  for (const QString& root : roots) {
    for (const QString& path : {root + "/" + page, root + QStringLiteral("/index.html")})
      if (QFileInfo(path).isFile()) return QFileInfo(path).absoluteFilePath();
  }
  return {};
}

void AddHelpKey(QWidget* window, std::function<void()> open) {
  auto* key = new QAction(window);
  key->setObjectName(QStringLiteral("helpKey"));
  key->setShortcut(QKeySequence(Qt::Key_F1));
  key->setShortcutContext(Qt::WindowShortcut);
  window->addAction(key);
  QObject::connect(key, &QAction::triggered, window, std::move(open));
}

bool OpenHelp(MessagePresenter& messages, Language lang, HelpTopic topic) {
  QString path = HelpFilePath(lang, topic);
  if (path.isEmpty()) {
    ShowMessage(messages, lang, MessageSpec{&msg::kHelpMissing, mb::kOkOnly, nullptr});
    return false;
  }
  if (QDesktopServices::openUrl(QUrl::fromLocalFile(path))) return true;
  // No program on this system opens the manual (no xdg-open, no desktop's
  // opener): say so, and where the file is.
  messages.Present(MakeMessageRequest(
      Localize(msg::kHelpViewerMissing, lang) + "\n" + QDir::toNativeSeparators(path).toStdString(),
      mb::kOkOnly | mb::kIconInformation, {}, lang));
  return false;
}

}  // namespace kv3
