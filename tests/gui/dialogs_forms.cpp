// The test frequencies, power tuning, keys, embedded information and about
// windows.
#include <QClipboard>
#include <QComboBox>
#include <QDesktopServices>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QSlider>
#include <QTableWidget>
#include <QtTest>

#include "codeplug/codec.h"
#include "dialogs/ui/about_box.h"
#include "dialogs/ui/form2.h"
#include "dialogs/ui/form4.h"
#include "dialogs/ui/form6.h"
#include "dialogs/ui/form7.h"
#include "dialogs/ui/help.h"
#include "main_window_support.h"

using namespace kv3;
using namespace kv3test;

class UrlCatcher : public QObject {
  Q_OBJECT
 public:
  QList<QUrl> urls;
 public slots:
  void open(const QUrl& url) { urls << url; }
};

class DialogsFormsTest : public QObject, DialogFixture {
  Q_OBJECT

 private:
  QString Cell(Form4& f, int r, int c) {
    return Find<QTableWidget>(&f, "mfgrid1")->item(r, c)->text();
  }

 private slots:
  void init() { Reset(); }

  void testFrequencyTypedInTheGridIsCorrected() {
    Form4 f(state_, lang_, *messages_);
    f.show();
    QVERIFY(QTest::qWaitForWindowExposed(&f));
    auto* grid = Find<QTableWidget>(&f, "mfgrid1");
    QCOMPARE(grid->rowCount(), 17);
    QCOMPARE(grid->item(0, 1)->text(), QStringLiteral("接收频率"));
    QCOMPARE(grid->item(16, 0)->text(), QStringLiteral("16"));

    // Selecting a frequency cell opens its editor at once.
    grid->setCurrentCell(1, 1);
    QLineEdit* editor = grid->viewport()->findChild<QLineEdit*>();
    QVERIFY(editor);
    QTest::keyClicks(editor, "435.12346");
    QTest::keyClick(editor, Qt::Key_Return);
    QTRY_COMPARE(Cell(f, 1, 1), QStringLiteral("435.12000"));  // the editor commits queued
    QCOMPARE(Cell(f, 1, 2), QStringLiteral("435.12000"));

    // The transmit cell takes the raster of the receive frequency.
    QVERIFY(f.EditCell(1, 2, "435.0160"));
    QCOMPARE(Cell(f, 1, 2), QStringLiteral("435.01500"));
  }

  void testFrequencyThatDoesNotFitIsRefusedWithAMessage() {
    Form4 f(state_, lang_, *messages_);
    QVERIFY(f.EditCell(3, 1, "438.5"));
    QVERIFY(!f.EditCell(3, 1, "4385"));
    QVERIFY(!f.EditCell(3, 2, "abc"));
    QCOMPARE(Cell(f, 3, 1), QStringLiteral("438.50000"));
    QCOMPARE(Cell(f, 3, 2), QStringLiteral("438.50000"));
    QTRY_COMPARE(messages_->records.size(), 2);
    QVERIFY(messages_->records[0].prompt.contains("100"));
  }

  void testFrequenciesCancelKeepsTheTableOkStoresIt() {
    Form4 f(state_, lang_, *messages_);
    f.show();
    f.EditCell(1, 1, "145.5");
    Click(&f, "Command2");
    QVERIFY(f.isHidden());
    QVERIFY(state_.shared.TestFrequencyTable[0][0].blank());
    QCOMPARE(Cell(f, 1, 1), QStringLiteral("145.50000"));  // the edit is still shown
    Click(&f, "Command1");
    QCOMPARE(FrequencyText(state_.shared.TestFrequencyTable[0][0]), std::string("145.50000"));
    QCOMPARE(FrequencyText(state_.shared.TestFrequencyTable[0][1]), std::string("145.50000"));

    // A decode refills the grid.
    EditorState other = StartupState();
    other.shared.TestFrequencyTable[15][1] = Freq4FromUnits(44012500);
    other.shared.TestFrequencyTable[15][0] = Freq4FromUnits(44000000);
    QVERIFY(DecodeImage(EncodeImage(other), state_));
    f.LoadFromState();
    QCOMPARE(Cell(f, 1, 1), QString());
    QCOMPARE(Cell(f, 16, 2), QStringLiteral("440.12500"));
  }

  void testPowerSlidersFollowTheUnlock() {
    Form2 f(state_, lang_);
    auto* s1 = Find<QSlider>(&f, "Slider1");
    auto* s3 = Find<QSlider>(&f, "Slider3");
    QCOMPARE(s1->value(), 208);
    QCOMPARE(Find<QLabel>(&f, "Lblpower3")->text(), QStringLiteral("92"));
    QVERIFY(!s1->isEnabled());
    QVERIFY(!s3->isEnabled());
    f.SetSlidersEnabled(true);
    s1->setFocus();
    QTest::keyClick(s1, Qt::Key_End);
    QCOMPARE(Find<QLabel>(&f, "Lblpower1")->text(), QStringLiteral("255"));
    f.close();  // the close box stores nothing
    QCOMPARE(state_.shared.TxPowerHighLevel, 208);
    Click(&f, "Command1");
    QCOMPARE(state_.shared.TxPowerHighLevel, 255);

    // A decode moves the sliders but leaves them enabled.
    EditorState other = StartupState();
    other.shared.TxPowerLowLevel = 17;
    QVERIFY(DecodeImage(EncodeImage(other), state_));
    f.LoadFromState();
    QCOMPARE(s3->value(), 17);
    QCOMPARE(Find<QLabel>(&f, "Lblpower3")->text(), QStringLiteral("17"));
    QVERIFY(s3->isEnabled());
  }

  void testKeysShowOffForUnknownValuesAndCancelStoresNothing() {
    state_.shared.Pf2KeyFunction = 12;
    Form6 f(state_, lang_);
    auto* c1 = Find<QComboBox>(&f, "Combo1");
    auto* c2 = Find<QComboBox>(&f, "Combo2");
    QCOMPARE(c1->count(), 12);
    QCOMPARE(c1->currentText(), QStringLiteral("瞬时取消静噪"));  // Pf1KeyFunction 10
    QCOMPARE(c2->currentText(), QStringLiteral("OFF"));
    c1->setCurrentIndex(4);
    Click(&f, "Command2");
    QCOMPARE(state_.shared.Pf1KeyFunction, 10);
    QCOMPARE(c1->currentIndex(), 4);
    Click(&f, "Command1");
    QCOMPARE(state_.shared.Pf1KeyFunction, 4);
    QCOMPARE(state_.shared.Pf2KeyFunction, 1);

    f.SetCaptions(Language::English);
    QCOMPARE(c1->itemText(10), QStringLiteral("Instant cancel static noise"));
    QCOMPARE(f.windowTitle(), QStringLiteral("Keys Set"));
    QCOMPARE(Find<QLabel>(&f, "Label1")->text(), QStringLiteral("PF1"));
    QCOMPARE(c1->currentIndex(), 4);
  }

  void testEmbeddedInformationTypingLimitAndSingleBytes() {
    state_.shared.EmbeddedInfoText[0] = "Caf\xE9";
    Form7 f(state_, lang_);
    f.show();
    auto* t1 = Find<QLineEdit>(&f, "Text1");
    QCOMPARE(t1->text(), QStringLiteral("Café"));
    t1->setFocus();
    t1->end(false);
    QTest::keyClicks(t1, QString(40, 'x'));
    QCOMPARE(t1->text().size(), 32);
    QTest::keyClick(t1, Qt::Key_Backspace);
    QCOMPARE(t1->text().size(), 31);
    QTest::keyClicks(t1, "yz");
    QCOMPARE(t1->text().size(), 32);
    t1->setSelection(0, 1);
    QTest::keyClicks(t1, "K");  // typing over a selection is taken
    QVERIFY(t1->text().startsWith("Kaf"));

    // A character without a byte in the field is refused, typed or pasted.
    auto* t2 = Find<QLineEdit>(&f, "Text2");
    t2->setFocus();
    QTest::keyClicks(t2, "AB");
    QKeyEvent typed(QEvent::KeyPress, 0, Qt::NoModifier, QStringLiteral("凯"));
    QApplication::sendEvent(t2, &typed);
    QCOMPARE(t2->text(), QStringLiteral("AB"));
    QGuiApplication::clipboard()->setText(QStringLiteral("对讲机 radio"));
    t2->paste();
    QCOMPARE(t2->text(), QStringLiteral("AB"));
    QGuiApplication::clipboard()->setText(QString(40, 'p'));
    t2->paste();  // a paste is not cut to 32 characters
    QCOMPARE(t2->text().size(), 42);

    Click(&f, "Command2");
    QCOMPARE(state_.shared.EmbeddedInfoText[0], std::string("Caf\xE9"));
    QVERIFY(t1->text().startsWith("Kaf"));
    Click(&f, "Command1");
    QCOMPARE(state_.shared.EmbeddedInfoText[0].substr(0, 3), std::string("Kaf"));
    QCOMPARE(state_.shared.EmbeddedInfoText[1].substr(0, 2), std::string("AB"));
  }

  void testAboutBoxLanguagesAndMakerLink() {
    frmAbout f(state_, lang_);
    QCOMPARE(Find<QLabel>(&f, "lblVersion")->text(), QStringLiteral("简体中文版 V1.00"));
    f.SetCaptions(Language::English);
    QCOMPARE(Find<QLabel>(&f, "lblTitle")->text(), QStringLiteral("KV-3(T2) Radio Software "));
    QCOMPARE(Find<QLabel>(&f, "Label2")->text(), QStringLiteral("Issue：2012.10"));
    f.SetCaptions(Language::Traditional);
    QCOMPARE(Find<QLabel>(&f, "lblVersion")->text(), QStringLiteral("繁體中文版 V1.0"));
    QCOMPARE(Find<QLabel>(&f, "lblTitle")->text(), QStringLiteral("凱維寫頻軟件"));
    f.SetCaptions(Language::Traditional, true);
    QCOMPARE(Find<QLabel>(&f, "lblTitle")->text(), QStringLiteral("KV-3(T2) 對講機編程軟件"));

    UrlCatcher catcher;
    QDesktopServices::setUrlHandler("https", &catcher, "open");
    f.show();
    QTest::mouseClick(Find<QLabel>(&f, "lblDescription"), Qt::LeftButton);
    QDesktopServices::unsetUrlHandler("https");
    QCOMPARE(catcher.urls.size(), 1);
    QCOMPARE(catcher.urls[0].toString(), QString::fromUtf8(kMakerAddress));
    Click(&f, "cmdOK");
    QVERIFY(f.isHidden());
  }

  void testHelpFileIsFound() {
    QString path = HelpFilePath();
    QVERIFY(!path.isEmpty());
    QFile file(path);
    QVERIFY(file.open(QIODevice::ReadOnly));
    QVERIFY(file.readAll().contains("KV-3(T2)"));
    // Run from the build tree, the program finds the manual the build made,
    // the Traditional Chinese pages included.
    QVERIFY2(
        HelpFilePath(Language::Traditional, HelpTopic::KeysSet).endsWith("/zh-Hant/keys-set.html"),
        qPrintable(HelpFilePath(Language::Traditional, HelpTopic::KeysSet)));
  }
};

QTEST_MAIN(DialogsFormsTest)
#include "dialogs_forms.moc"
