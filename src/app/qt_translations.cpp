#include "app/qt_translations.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QTranslator>

namespace kv3 {

namespace {
constexpr char kTranslatorName[] = "kv3QtTranslations";
}  // namespace

QString QtLocaleName(Language lang) {
  switch (lang) {
    case Language::Simplified:
      return QStringLiteral("zh_CN");
    case Language::Traditional:
      return QStringLiteral("zh_TW");
    default:
      return QStringLiteral("en");
  }
}

bool UseQtTranslations(Language lang) {
  QCoreApplication* app = QCoreApplication::instance();
  if (!app) return false;
  // The translator installed last time is found by its name.
  if (auto* old = app->findChild<QTranslator*>(kTranslatorName, Qt::FindDirectChildrenOnly)) {
    QCoreApplication::removeTranslator(old);
    delete old;
  }
  auto* translator = new QTranslator(app);
  translator->setObjectName(kTranslatorName);
  if (!translator->load(QStringLiteral("qt_") + QtLocaleName(lang),
                        QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
    delete translator;
    return false;
  }
  QCoreApplication::installTranslator(translator);
  return true;
}

}  // namespace kv3
