// The windows' layout after a language switch is the layout of a start in
// that language: every window, every named control, all three languages,
// with the windows open while the language changes.
#include <QLayout>
#include <QMap>

#include "main_window_support.h"

using namespace kv3test;

namespace {

// Each window's size and the place and size of each of its visible named
// controls, by "window/control".
using Geometries = QMap<QString, QRect>;

const char* const kWindows[] = {"Form1", "Form2", "Form4", "Form5", "Form6", "Form7", "frmAbout"};

QWidget* TopLevel(const char* name) {
  for (QWidget* w : QApplication::topLevelWidgets())
    if (w->objectName() == QLatin1String(name)) return w;
  return nullptr;
}

// Shows every window as its menu command would.
bool ShowAll(kv3::MainWindow& main) {
  main.FinishStartup();
  for (const char* name : kWindows) {
    QWidget* window = TopLevel(name);
    if (!window) return false;
    main.ShowWindow(window);
    if (!QTest::qWaitForWindowExposed(window, kGenerous)) return false;
  }
  return true;
}

Geometries Measure() {
  // Pending layout requests first, as the next paint would run them.
  QCoreApplication::sendPostedEvents(nullptr, QEvent::LayoutRequest);
  Geometries result;
  for (const char* name : kWindows) {
    QWidget* window = TopLevel(name);
    result[QString("%1/").arg(name)] = QRect(QPoint(), window->size());
    for (QWidget* w : window->findChildren<QWidget*>()) {
      if (w->objectName().isEmpty() || !w->isVisible() || w->window() != window) continue;
      const QString key = QString("%1/%2").arg(name, w->objectName());
      result[key] = QRect(w->mapTo(window, QPoint()), w->size());
    }
  }
  return result;
}

QByteArray Parameters(kv3::Language lang) {
  return QByteArray("\x00\x01", 2) + char(static_cast<int>(lang));
}

void Choose(kv3::MainWindow& main, kv3::Language lang) {
  switch (lang) {
    case kv3::Language::Simplified:
      main.ChooseSimplified();
      break;
    case kv3::Language::English:
      main.ChooseEnglish();
      break;
    case kv3::Language::Traditional:
      main.ChooseTraditional();
      break;
  }
}

// The about box's title is set only by a start in Traditional Chinese (a
// switch to it keeps the title it has), so its label and the window it
// sizes are compared only where the texts are the same.
bool Designed(const QString& key, kv3::Language lang) {
  return lang == kv3::Language::Traditional && key.startsWith("frmAbout/");
}

}  // namespace

class MainLayout : public QObject, WindowFixture {
  Q_OBJECT

 private slots:
  void cleanup() { Stop(); }

  void ASwitchLaysOutAsAStartInThatLanguage_data() {
    QTest::addColumn<kv3::Language>("from");
    QTest::addColumn<kv3::Language>("to");
    const kv3::Language all[] = {kv3::Language::Simplified, kv3::Language::English,
                                 kv3::Language::Traditional};
    const char* names[] = {"Simplified", "English", "Traditional"};
    for (int f = 0; f < 3; ++f)
      for (int t = 0; t < 3; ++t)
        if (f != t) QTest::addRow("%s to %s", names[f], names[t]) << all[f] << all[t];
  }
  void ASwitchLaysOutAsAStartInThatLanguage() {
    QFETCH(kv3::Language, from);
    QFETCH(kv3::Language, to);
    Start(Parameters(to));
    QVERIFY(ShowAll(*w_));
    const Geometries started = Measure();
    Stop();

    Start(Parameters(from));
    QVERIFY(ShowAll(*w_));
    Choose(*w_, to);
    QCOMPARE(w_->language(), to);
    const Geometries switched = Measure();

    QStringList differences;
    for (auto it = started.cbegin(); it != started.cend(); ++it) {
      if (Designed(it.key(), to)) continue;
      const QRect other = switched.value(it.key());
      if (other != it.value()) {
        differences << QString("%1: started %2,%3 %4x%5, switched %6,%7 %8x%9")
                           .arg(it.key())
                           .arg(it.value().x())
                           .arg(it.value().y())
                           .arg(it.value().width())
                           .arg(it.value().height())
                           .arg(other.x())
                           .arg(other.y())
                           .arg(other.width())
                           .arg(other.height());
      }
    }
    for (const QString& difference : differences) qInfo("%s", qPrintable(difference));
    QVERIFY2(differences.isEmpty(), "the layouts differ (listed above)");
  }
};

QTEST_MAIN(MainLayout)
#include "main_layout.moc"
