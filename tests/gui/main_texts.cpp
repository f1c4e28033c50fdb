// Texts in the user's language beyond the caption tables: the port dialog's
// tips, Qt's own file dialog, and F1 when no program can show the help; each
// in the three languages and after a switch at run time.
#include <QFileDialog>
#include <QLibraryInfo>
#include <QRadioButton>
#include <QScopeGuard>
#include <QTemporaryDir>
#include <QTimer>
#include <QTranslator>

#include "i18n/traditional.h"
#include "link/ui/form_com.h"
#include "main_window_support.h"

using namespace kv3test;
using kv3::Language;

namespace {

const Language kLanguages[] = {Language::Simplified, Language::English, Language::Traditional,
                               Language::Simplified};

// A text of the program in a language: Simplified and English as written,
// Traditional converted from the Simplified.
QString In(Language lang, const char* zh, const char* en) {
  switch (lang) {
    case Language::Simplified:
      return QString::fromUtf8(zh);
    case Language::English:
      return QString::fromUtf8(en);
    default:
      return QString::fromStdString(kv3::ToTraditional(zh));
  }
}

void Choose(kv3::MainWindow& w, Language lang) {
  if (lang == Language::Simplified) w.ChooseSimplified();
  if (lang == Language::English) w.ChooseEnglish();
  if (lang == Language::Traditional) w.ChooseTraditional();
}

// A text of Qt's own translation of a language ("zh_CN", "zh_TW").
QString QtText(const char* locale, const char* context, const char* text) {
  QTranslator translator;
  if (!translator.load(QStringLiteral("qt_") + locale,
                       QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
    return QStringLiteral("(Qt's translations are not installed)");
  return translator.translate(context, text);
}

}  // namespace

class MainTexts : public QObject, WindowFixture {
  Q_OBJECT

 private slots:
  void cleanup() { Stop(); }

  void PortTipsSpeakTheLanguageAndFollowASwitch() {
    TempConfig config;
    config.WriteParameters(QByteArray("\x00\x01\x00", 3));
    kv3::StartupOptions options;
    options.simulate = true;
    const QString missing = config.path("no-such-device");
    options.portMap[3] = missing.toStdString();
    kv3::MainWindow w(options);
    kv3::FormCOM& dialog = w.formCom();
    auto tip = [&](int number) { return dialog.option(number - 1)->toolTip(); };
    for (Language lang : kLanguages) {
      Choose(w, lang);
      QCOMPARE(tip(1), In(lang, "内置的模拟对讲机", "the built-in simulated radio"));
      QCOMPARE(tip(3),
               missing + In(lang, "（端口映射）\n没有这个设备", " (port map)\nno such device"));
      QCOMPARE(tip(20), In(lang, "COM20 没有对应的串口设备", "no serial device is COM20"));
      QCOMPARE(dialog.option(19)->text(), QString("COM20"));
    }
  }

  void QtsFileDialogSpeaksTheLanguage() {
    Start();
    // The file dialog as the user opens it (File, Open), closed again.
    auto shown = [&] {
      QStringList texts;
      QTimer poll;
      connect(&poll, &QTimer::timeout, this, [&] {
        for (QWidget* top : QApplication::topLevelWidgets()) {
          auto* files = qobject_cast<QFileDialog*>(top);
          if (!files || !files->isVisible()) continue;
          texts << files->findChild<QLabel*>("lookInLabel")->text()
                << files->findChild<QLabel*>("fileTypeLabel")->text();
          files->reject();
        }
      });
      poll.start(5);
      Find<QAction>(w_.get(), "mnuOpen")->trigger();
      return texts;
    };
    const QStringList english{"Look in:", "Files of type:"};
    const QStringList simplified{QtText("zh_CN", "QFileDialog", "Look in:"),
                                 QtText("zh_CN", "QFileDialog", "Files of type:")};
    const QStringList traditional{QtText("zh_TW", "QFileDialog", "Look in:"),
                                  QtText("zh_TW", "QFileDialog", "Files of type:")};
    QVERIFY(simplified != english);
    QVERIFY(traditional != simplified);
    QCOMPARE(shown(), simplified);
    w_->ChooseEnglish();
    QCOMPARE(shown(), english);
    w_->ChooseTraditional();
    QCOMPARE(shown(), traditional);
    w_->ChooseSimplified();
    QCOMPARE(shown(), simplified);
  }

  void HelpKeyWithoutAViewerSaysSoInTheLanguage() {
    // No program on the path can open the manual.
    QTemporaryDir emptyBin;
    const QByteArray path = qgetenv("PATH");
    qputenv("PATH", emptyBin.path().toUtf8());
    const auto restore = qScopeGuard([&] { qputenv("PATH", path); });
    Start();
    Messages messages(*w_);
    for (Language lang : kLanguages) {
      Choose(*w_, lang);
      const int before = static_cast<int>(messages.records.size());
      QTest::keyClick(w_.get(), Qt::Key_F1);
      QTRY_COMPARE(messages.records.size(), before + 1);
      const QString prompt = messages.records.back().prompt;
      QVERIFY2(prompt.startsWith(In(lang,
                                    "没有找到可以显示帮助的程序。请安装网页浏览器，"
                                    "或用浏览器打开这个文件：",
                                    "No program was found to show the help. Install a web "
                                    "browser, or open this file in one:")),
               qPrintable(prompt));
      QVERIFY2(prompt.endsWith("index.html"), qPrintable(prompt));
    }
  }
};

QTEST_MAIN(MainTexts)
#include "main_texts.moc"
