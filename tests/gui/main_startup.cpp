// Start-up and shutdown of the main window: defaults, the parameter file's
// lock cases, the language hint and the saved language.
#include <QGroupBox>
#include <QProgressBar>
#include <QRadioButton>
#include <QTableView>

#include "link/ui/form_com.h"
#include "main_window_support.h"

using namespace kv3test;

class MainStartup : public QObject, WindowFixture {
  Q_OBJECT

 private slots:
  void cleanup() { Stop(); }

  void FreshStartShowsTheDefaultsAndCreatesTheParameterFile() {
    TempConfig config;
    auto w = StartWindow();
    QVERIFY(QFile::exists(config.parameterPath()));
    QCOMPARE(w->windowTitle(), QString("凯维写频软件 V1.00"));
    QCOMPARE(w->language(), kv3::Language::Simplified);
    for (int row = 1; row <= 16; ++row) {
      QCOMPARE(Cell(*w, row, 0), QString::asprintf("%02d", row));
      for (int col = 1; col <= 8; ++col) QVERIFY(Cell(*w, row, col).isEmpty());
    }
    QCOMPARE(Find<QComboBox>(w.get(), "Combo1")->currentText(), QString("400-480MHz"));
    const std::pair<const char*, QString> lists[] = {{"Combo2", "中文"}, {"Combo3", "30 秒"},
                                                     {"Combo4", "关闭"}, {"Combo9", "5 级"},
                                                     {"Combo6", "使能"}, {"Combo7", "使能"}};
    for (const auto& [name, text] : lists) {
      QCOMPARE(Find<QComboBox>(w.get(), name)->currentText(), text);
    }
    QCOMPARE(Find<QComboBox>(w.get(), "Combo3")->count(), 40);
    QCOMPARE(Find<QComboBox>(w.get(), "Combo3")->itemText(39), QString("600 秒"));
    QVERIFY(!Find<QAction>(w.get(), "mnulock")->isChecked());
    QVERIFY(Find<QProgressBar>(w.get(), "ProgressBar1")->isHidden());
    QVERIFY(Find<QAction>(w.get(), "TAnMa")->isVisible() == false);
    QCOMPARE(Find<QAction>(w.get(), "read")->toolTip(), QString("读频"));

    // The only port found is taken, but no option is shown selected.
    if (w->formCom().scan().found == 1) {
      QCOMPARE(w->ComPortNumber(), 1);
      for (int i = 0; i < 20; ++i) QVERIFY(!w->formCom().option(i)->isChecked());
    }
    const int port = w->ComPortNumber();
    w->close();
    QCOMPARE(config.ReadParameters(), QByteArray("\x00", 1) + char(port) + QByteArray("\x00", 1));
  }

  // The saved lock byte: 1 locks the band and the grid but not the settings;
  // any other value but 0 checks the item as designed, disables nothing, and
  // is saved as 1 at shutdown.
  void SavedLockByte() {
    const struct {
      char saved;
      bool locked, disabled;
      char atShutdown;
    } cases[] = {{0, false, false, 0}, {1, true, true, 1}, {7, true, false, 1}};
    for (const auto& c : cases) {
      Start(QByteArray(1, c.saved) + QByteArray("\x01\x00", 2));
      QCOMPARE(w_->locked(), c.locked);
      QCOMPARE(Find<QAction>(w_.get(), "mnulock")->isChecked(), c.locked);
      QCOMPARE(Find<QGroupBox>(w_.get(), "Frame1")->isEnabled(), !c.disabled);
      QCOMPARE(Find<QTableView>(w_.get(), "Grid1")->isEnabled(), !c.disabled);
      QVERIFY(Find<QGroupBox>(w_.get(), "Frame2")->isEnabled());
      w_->close();
      QCOMPARE(config_->ReadParameters().at(0), c.atShutdown);
      Stop();
    }
  }

  void ChoosingTheLockTwiceAfterASavedLockLocksTheSettingsToo() {
    Start(QByteArray("\x01\x01\x00", 3));
    w_->ToggleLock();
    QVERIFY(Find<QGroupBox>(w_.get(), "Frame1")->isEnabled());
    QVERIFY(Find<QTableView>(w_.get(), "Grid1")->isEnabled());
    w_->ToggleLock();
    for (const char* name : {"Frame1", "Grid1", "Frame2"})
      QVERIFY(!Find<QWidget>(w_.get(), name)->isEnabled());
  }

  void LanguageHintIsUsedOnceAndTheLanguageIsSavedAtShutdown() {
    TempConfig config;
    config.WriteHint("english");
    {
      auto w = StartWindow();
      QCOMPARE(w->language(), kv3::Language::English);
      QCOMPARE(w->windowTitle(), QString("KV-3(T2) Radio Software V1.00"));
      QCOMPARE(Find<QComboBox>(w.get(), "Combo3")->currentText(), QString("30 S"));
      QCOMPARE(Find<QMenu>(w.get(), "mnuFile")->title(), QString("File(&F)"));
      // The maker's caption has no English text: it keeps its designed one.
      QVERIFY(!Find<QLabel>(w.get(), "Label2")->text().isEmpty());
      QVERIFY(!TempConfig::Read(config.hintPath()).contains("english"));
      w->close();
    }
    QCOMPARE(config.ReadParameters().at(2), '\x01');
    auto again = StartWindow();
    QCOMPARE(again->language(), kv3::Language::English);
  }

  void TraditionalStartConvertsCaptionsButNotTheTitle() {
    Start(QByteArray("\x00\x01\x02", 3));
    auto& w = w_;
    QCOMPARE(w->language(), kv3::Language::Traditional);
    QCOMPARE(w->windowTitle(), QString("凯维写频软件 V1.00"));
    QCOMPARE(Find<QGroupBox>(w.get(), "Frame1")->title(), QString("機型選擇"));
    QCOMPARE(Find<QComboBox>(w.get(), "Combo3")->currentText(), QString("30 秒"));
    QCOMPARE(w->grid().model()->headerData(8, Qt::Horizontal).toString(), QString("掃描添加"));
    // The toolbar buttons' tips are not converted.
    QCOMPARE(Find<QAction>(w.get(), "write")->toolTip(), QString("写频"));
    auto* about = Find<QWidget>(w.get(), "frmAbout");
    QVERIFY(about);
    QCOMPARE(Find<QLabel>(about, "lblVersion")->text(), QString("繁體中文版 V1.0"));
  }
};

QTEST_MAIN(MainStartup)
#include "main_startup.moc"
