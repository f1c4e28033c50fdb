// F1 under a real X server: the manual opens in the program's language, and
// a feature window opens its own page while it is the active window.
#include <QDesktopServices>
#include <QTest>
#include <QUrl>

#include "../gui/main_window_support.h"
#include "dialogs/help_topics.h"

using namespace kv3test;

namespace {

class UrlCatcher : public QObject {
  Q_OBJECT
 public:
  QList<QUrl> urls;
 public slots:
  void open(const QUrl& url) { urls << url; }
};

struct LanguageMenu {
  const char* action;
  const char* folder;
};
constexpr LanguageMenu kLanguageMenus[] = {
    {"mnuChineseJ", "zh-Hans"}, {"mnuChineseF", "zh-Hant"}, {"mnuEnglish", "en"}};

}  // namespace

class HelpKeysTest : public QObject, WindowFixture {
  Q_OBJECT

 private:
  // F1 pressed in `window` once it is the active window; the page it opened.
  QString PressF1In(QWidget* window) {
    // (qWaitForWindowActive would also take a main window whose modeless
    // dialog is active: they share activation.)
    window->activateWindow();
    if (!QTest::qWaitFor([&] { return QApplication::activeWindow() == window; }, kGenerous))
      return "window not active";
    const qsizetype before = catcher_.urls.size();
    QWidget* focus = QApplication::focusWidget() ? QApplication::focusWidget() : window;
    QTest::keyClick(focus, Qt::Key_F1);
    if (!QTest::qWaitFor([&] { return catcher_.urls.size() > before; }, kGenerous))
      return "nothing opened";
    const QString path = catcher_.urls.last().toLocalFile();
    return path.section('/', -2);  // "<language>/<page>"
  }

  void ChooseLanguage(const char* action) {
    QAction* item = Find<QAction>(w_.get(), action);
    QVERIFY(item);
    item->trigger();
  }

  UrlCatcher catcher_;
  Messages messages_;

 private slots:
  void init() {
    QDesktopServices::setUrlHandler("file", &catcher_, "open");
    catcher_.urls.clear();
    Start();
    w_->SetMessagePresenter(&messages_);
  }
  void cleanup() {
    Stop();
    QDesktopServices::unsetUrlHandler("file");
  }

  void testF1InTheMainWindowOpensTheContentsOfTheLanguage() {
    for (const LanguageMenu& language : kLanguageMenus) {
      ChooseLanguage(language.action);
      QCOMPARE(PressF1In(w_.get()), QString(language.folder) + "/index.html");
    }
    QVERIFY(messages_.records.isEmpty());
  }

  void testF1InAWindowOpensItsOwnPage_data() {
    QTest::addColumn<QString>("menu");
    QTest::addColumn<QString>("window");
    QTest::addColumn<int>("topic");
    const auto row = [](const char* menu, const char* window, kv3::HelpTopic topic) {
      QTest::newRow(window) << menu << window << static_cast<int>(topic);
    };
    row("mnudtmf", "Form5", kv3::HelpTopic::OptionalFunctions);
    row("Key_enactment", "Form6", kv3::HelpTopic::KeysSet);
    row("mnusetin", "Form7", kv3::HelpTopic::EmbeddedInfo);
    row("mnudebug", "Form2", kv3::HelpTopic::PowerTuning);
    row("mnutestfre", "Form4", kv3::HelpTopic::TestFrequencies);
    row("mnucom", "FormCOM", kv3::HelpTopic::Connecting);
  }
  void testF1InAWindowOpensItsOwnPage() {
    QFETCH(QString, menu);
    QFETCH(QString, window);
    QFETCH(int, topic);
    const QString page = kv3::HelpTopicFile(static_cast<kv3::HelpTopic>(topic));
    // Opened in one language, the window follows a switch to another.
    for (const LanguageMenu& language : {kLanguageMenus[2], kLanguageMenus[1]}) {
      ChooseLanguage(language.action);
      Find<QAction>(w_.get(), menu.toUtf8().constData())->trigger();
      QWidget* shown = nullptr;
      QVERIFY(QTest::qWaitFor(
          [&] {
            for (QWidget* w : QApplication::topLevelWidgets())
              if (w->objectName() == window && w->isVisible()) shown = w;
            return shown != nullptr;
          },
          kGenerous));
      QVERIFY(QTest::qWaitForWindowExposed(shown));
      QCOMPARE(PressF1In(shown), QString(language.folder) + "/" + page);
    }
    // F1 back in the main window opens the contents, not the window's page.
    QCOMPARE(PressF1In(w_.get()), QString("zh-Hant/index.html"));
  }
};

QTEST_MAIN(HelpKeysTest)
#include "help_keys.moc"
