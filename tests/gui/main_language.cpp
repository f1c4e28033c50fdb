// The language menu switching every window in place, and the message box's
// buttons in the three languages.
#include <QGroupBox>
#include <QMessageBox>
#include <QPushButton>
#include <QTimer>

#include "dialogs/ui/form5.h"
#include "main_window_support.h"

using namespace kv3test;

namespace {

// Every list of the main window with its selected position and length.
QList<std::tuple<QString, int, int>> Selections(QWidget* window) {
  QList<std::tuple<QString, int, int>> result;
  for (const char* name : {"Combo1", "Combo2", "Combo3", "Combo4", "Combo9", "Combo6", "Combo7"}) {
    auto* combo = Find<QComboBox>(window, name);
    result.append({name, combo->currentIndex(), combo->count()});
  }
  return result;
}

// Answers the next real message box: records its button texts and presses
// the button with the given text.
void PressInNextBox(const QString& press, QStringList* labels) {
  QTimer::singleShot(0, [press, labels] {
    auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
    QVERIFY(box);
    for (QAbstractButton* button : box->buttons()) *labels << button->text();
    for (QAbstractButton* button : box->buttons()) {
      if (button->text() == press) button->click();
    }
  });
}

}  // namespace

class MainLanguage : public QObject, WindowFixture {
  Q_OBJECT

 private slots:
  void init() { Start(); }
  void cleanup() { Stop(); }

  void RoundTripKeepsEverySelectionAndRelabelsEverything() {
    Messages messages(*w_);
    messages.answers = {kv3::mr::kOk};
    Find<QComboBox>(w_.get(), "Combo1")->setCurrentIndex(5);  // 136-174MHz, confirmed
    const int picks[] = {2, 39, 10, 9, 0, 0};
    const char* names[] = {"Combo2", "Combo3", "Combo4", "Combo9", "Combo6", "Combo7"};
    for (int i = 0; i < 6; ++i) Find<QComboBox>(w_.get(), names[i])->setCurrentIndex(picks[i]);
    TypeFrequency(*w_, 1, "145.5");
    const auto before = Selections(w_.get());
    const kv3::EditorState state = w_->state();

    w_->ChooseEnglish();
    QCOMPARE(Selections(w_.get()), before);
    QCOMPARE(w_->windowTitle(), QString("KV-3(T2) Radio Software V1.00"));
    QCOMPARE(Find<QComboBox>(w_.get(), "Combo3")->currentText(), QString("600 S"));
    QCOMPARE(Find<QComboBox>(w_.get(), "Combo9")->currentText(), QString("9 Group"));
    QCOMPARE(Find<QAction>(w_.get(), "mnuEnglish")->text(), QString("Englist"));
    QCOMPARE(Find<QAction>(w_.get(), "read")->toolTip(), QString("Read frequency"));
    QCOMPARE(w_->grid().model()->headerData(1, Qt::Horizontal).toString(), QString("RX frequency"));
    QCOMPARE(Cell(*w_, 1, 5), QString("Hight"));
    QCOMPARE(Cell(*w_, 1, 2), QString("Off"));
    QCOMPARE(w_->form5().windowTitle(), QString("Optional Function"));

    w_->ChooseTraditional();
    QCOMPARE(Selections(w_.get()), before);
    // The title stays Simplified, the tips are the Simplified texts.
    QCOMPARE(w_->windowTitle(), QString("凯维写频软件 V1.00"));
    QCOMPARE(Find<QAction>(w_.get(), "read")->toolTip(), QString("读频"));
    QCOMPARE(Find<QGroupBox>(w_.get(), "Frame2")->title(), QString("功能設置"));
    QCOMPARE(Find<QMenu>(w_.get(), "mnuLanguage")->title(), QString("語言選擇(&L)"));
    QCOMPARE(Find<QComboBox>(w_.get(), "Combo3")->currentText(), QString("600 秒"));
    QCOMPARE(Cell(*w_, 1, 7), QString("寬帶"));
    QCOMPARE(w_->grid().model()->headerData(1, Qt::Horizontal).toString(), QString("接收頻率"));

    w_->ChooseSimplified();
    QCOMPARE(Selections(w_.get()), before);
    QCOMPARE(Find<QGroupBox>(w_.get(), "Frame2")->title(), QString("功能设置"));
    QCOMPARE(Cell(*w_, 1, 7), QString("宽带"));
    QVERIFY(w_->state() == state);
    QCOMPARE(messages.records.size(), 1);  // only the band change
  }

  void TheChosenLanguageIsSavedAtShutdown() {
    w_->ChooseTraditional();
    w_->close();
    QCOMPARE(config_->ReadParameters().at(2), '\x02');
  }

  void MessageBoxButtonsCarryTheLabelsOfTheLanguage() {
    QStringList labels;
    PressInNextBox("No", &labels);
    QCOMPARE(kv3::ShowMessage(w_.get(), kv3::Language::English, "?", 4), kv3::mr::kNo);
    QCOMPARE(labels, (QStringList{"Yes", "No"}));

    labels.clear();
    PressInNextBox("是", &labels);
    QCOMPARE(kv3::ShowMessage(w_.get(), kv3::Language::Traditional, "?", 4 + 32), kv3::mr::kYes);
    QCOMPARE(labels, (QStringList{"是", "否"}));

    labels.clear();
    PressInNextBox("確定", &labels);
    QCOMPARE(kv3::ShowMessage(w_.get(), kv3::Language::Traditional, "!", 0), kv3::mr::kOk);
    QCOMPARE(labels, QStringList{"確定"});

    const kv3::MessageRecord record = kv3::DescribeMessage(kv3::Language::Simplified, "x", 1 + 256);
    QCOMPARE(record.title, QString("KV-3(T2)"));
    QCOMPARE(record.defaultCode, kv3::mr::kCancel);
  }
};

QTEST_MAIN(MainLanguage)
#include "main_language.moc"
