// Editing the channel grid in place: the editors the user opens with the
// mouse or Enter, what leaving them stores, the band change question, and
// the lock.
#include <QAbstractItemView>
#include <QLineEdit>

#include "i18n/messages.h"
#include "main_window_support.h"

using namespace kv3test;

class MainGrid : public QObject, WindowFixture {
  Q_OBJECT

 private slots:
  void init() { Start(); }
  void cleanup() { Stop(); }

  void TypingAFrequencyIntoAnEmptyRowFillsTheDefaults() {
    Messages messages(*w_);
    TypeFrequency(*w_, 3, "435.12346");
    QVERIFY(!w_->grid().OpenEditorWidget() || !w_->grid().OpenEditorWidget()->isVisible());
    const QStringList expected = {"03", "435.12000", "关闭", "435.12000", "关闭",
                                  "高", "关闭",      "宽带", "有"};
    for (int col = 0; col <= 8; ++col) QCOMPARE(Cell(*w_, 3, col), expected[col]);
    // A later receive frequency leaves the transmit frequency alone.
    TypeFrequency(*w_, 3, "436");
    QCOMPARE(Cell(*w_, 3, 1), QString("436.00000"));
    QCOMPARE(Cell(*w_, 3, 3), QString("435.12000"));
    QVERIFY(messages.records.isEmpty());
    // Emptying the receive frequency empties the channel.
    TypeFrequency(*w_, 3, "");
    for (int col = 1; col <= 8; ++col) QVERIFY(Cell(*w_, 3, col).isEmpty());
  }

  void LettersAreNotTypedIntoTheFrequencyEditor() {
    ClickCell(*w_, 1, 1);
    auto* text1 = qobject_cast<QLineEdit*>(w_->grid().OpenEditorWidget());
    QVERIFY(text1);
    QTest::keyClicks(text1, "4x3#5.a5");
    QCOMPARE(text1->text(), QString("435.5"));
  }

  void AClickOnColumn5OfAnEmptyRowOpensTheFrequencyEditor() {
    ClickCell(*w_, 5, 5);
    QWidget* editor = w_->grid().OpenEditorWidget();
    QVERIFY(editor);
    QCOMPARE(editor->objectName(), QString("Text1"));
    QCOMPARE(w_->state().grid.EditRow, 5);
    QCOMPARE(w_->state().grid.EditCol, 1);
    // The editor lies over the cell of column 1.
    const QRect cell = w_->grid().visualRect(w_->grid().gridModel().CellIndex(5, 1));
    QCOMPARE(editor->geometry(), cell);
  }

  void OutOfBandEntryShowsTheMessageAndKeepsTheCell() {
    Messages messages(*w_);
    TypeFrequency(*w_, 2, "438");
    TypeFrequency(*w_, 2, "480");
    QTRY_COMPARE(messages.records.size(), 1);
    QCOMPARE(messages.records[0].prompt, QString("超出频段范围"));
    QCOMPARE(messages.records[0].title, QString("KV-3(T2)"));
    QCOMPARE(messages.records[0].buttonLabels, QStringList{"确定"});
    QCOMPARE(Cell(*w_, 2, 1), QString("438.00000"));
  }

  void PickingAChoiceStoresItAndFollowsTheLanguage() {
    TypeFrequency(*w_, 4, "440");
    ClickCell(*w_, 4, 5);
    auto* combo = qobject_cast<QComboBox*>(w_->grid().OpenEditorWidget());
    QVERIFY(combo);
    QCOMPARE(combo->objectName(), QString("Combo5_5"));
    QCOMPARE(combo->currentIndex(), 1);   // opens at the stored choice
    QVERIFY(combo->view()->isVisible());  // dropped down at once
    QTest::keyClick(combo->view(), Qt::Key_Up);
    QTest::keyClick(combo->view(), Qt::Key_Return);
    QCOMPARE(Cell(*w_, 4, 5), QString("低"));
    QCOMPARE(w_->state().grid.ChannelChoice[3][3], 0);
    w_->ChooseEnglish();
    QCOMPARE(Cell(*w_, 4, 5), QString("Low"));
    QCOMPARE(Cell(*w_, 4, 2), QString("Off"));
  }

  void TypedToneIsNormalisedWhenTheEditorCloses() {
    TypeFrequency(*w_, 6, "450");
    ClickCell(*w_, 6, 2);
    auto* combo8 = qobject_cast<QComboBox*>(w_->grid().OpenEditorWidget());
    QVERIFY(combo8);
    QCOMPARE(combo8->objectName(), QString("Combo8"));
    QCOMPARE(combo8->count(), 261);
    combo8->hidePopup();
    QTest::keyClick(combo8, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClicks(combo8, "d23nx");
    QCOMPARE(combo8->currentText(), QString("D23N"));
    // Leaving the editor (a right press on the grid) commits it.
    QTest::mouseClick(w_->grid().viewport(), Qt::RightButton, {},
                      w_->grid().visualRect(w_->grid().gridModel().CellIndex(9, 1)).center());
    QTRY_COMPARE(Cell(*w_, 6, 2), QString("D023N"));
  }

  void BandChangeAsksAndClearsOnlyOnOk() {
    Messages messages(*w_);
    TypeFrequency(*w_, 1, "440");
    auto* combo1 = Find<QComboBox>(w_.get(), "Combo1");
    messages.answers = {kv3::mr::kCancel};
    combo1->setCurrentIndex(5);
    QCOMPARE(messages.records.size(), 1);
    QCOMPARE(messages.records[0].prompt, QString("改变频段将清除频道列表，确定吗？"));
    QCOMPARE(messages.records[0].title, QString("注意！"));
    QCOMPARE(combo1->currentIndex(), 0);
    QCOMPARE(Cell(*w_, 1, 1), QString("440.00000"));
    messages.answers = {kv3::mr::kOk};
    combo1->setCurrentIndex(5);
    QCOMPARE(combo1->currentIndex(), 5);
    QVERIFY(Cell(*w_, 1, 1).isEmpty());
    TypeFrequency(*w_, 1, "440");  // outside 136-174 now
    QTRY_COMPARE(messages.records.size(), 3);
    QVERIFY(Cell(*w_, 1, 1).isEmpty());
  }

  // The even rows are light blue: locked, their text is greyed like the odd
  // rows' and their blue is dimmed, so that no row looks editable.
  void ALockedGridLooksLockedInEveryRow() {
    TypeFrequency(*w_, 1, "438.125");
    TypeFrequency(*w_, 2, "438.125");
    kv3::ChannelGridView& grid = w_->grid();
    // The darkest pixel of a cell's text, and the colour of a cell that no
    // click has touched.
    auto text = [&](int row) {
      const QImage image = grid.viewport()->grab().toImage();
      const QRect cell = grid.visualRect(grid.gridModel().CellIndex(row, 1));
      int darkest = 255;
      for (int y = cell.top(); y <= cell.bottom(); ++y)
        for (int x = cell.left(); x <= cell.right(); ++x)
          darkest = std::min(darkest, qGray(image.pixel(x, y)));
      return darkest;
    };
    auto background = [&](int row) {
      const QImage image = grid.viewport()->grab().toImage();
      return QColor(image.pixel(grid.visualRect(grid.gridModel().CellIndex(row, 4)).center()));
    };
    const int oddText = text(1);
    QVERIFY(oddText < 60 && text(2) < 60);  // black text in both rows
    const QColor blue = background(12);

    w_->ToggleLock();
    const int lockedOddText = text(1);
    QVERIFY2(lockedOddText > oddText + 40, "the odd rows' text is greyed");
    QVERIFY2(std::abs(text(2) - lockedOddText) < 20, "the even rows' text as well");
    const QColor dimmed = background(12);
    QVERIFY2(dimmed != blue, "the even rows' blue is dimmed");
    QVERIFY(dimmed.blue() > dimmed.red() && dimmed != background(11));  // and still blue

    w_->ToggleLock();
    QVERIFY(text(2) < 60);
    QCOMPARE(background(12), blue);
  }

  void LockKeepsEditorsClosed() {
    w_->ToggleLock();
    QVERIFY(w_->locked());
    ClickCell(*w_, 1, 1);
    QVERIFY(!w_->grid().OpenEditorWidget());
    w_->ToggleLock();
    ClickCell(*w_, 1, 1);
    QVERIFY(w_->grid().OpenEditorWidget());
  }
};

QTEST_MAIN(MainGrid)
#include "main_grid.moc"
