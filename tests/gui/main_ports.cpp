// The port dialog FormCOM: the start-up scan, the reasons of the ports that
// did not open, choosing a port, and closing that only hides.
#include <QRadioButton>

#include "link/qt/routed_port.h"
#include "link/ui/form_com.h"
#include "main_window_support.h"

using namespace kv3test;

class MainPorts : public QObject {
  Q_OBJECT

 private slots:
  void ScanEnablesWhatOpenedAndExplainsTheRest() {
    TempConfig config;
    config.WriteParameters(QByteArray("\x00\x03\x00", 3));  // COM3 was used last time
    kv3::StartupOptions options;
    options.simulate = true;
    options.portMap[3] = config.path("no-such-device").toStdString();
    kv3::MainWindow w(options);
    kv3::FormCOM& dialog = w.formCom();
    QVERIFY(dialog.isHidden());
    QCOMPARE(dialog.objectName(), QString("FormCOM"));
    QCOMPARE(dialog.windowTitle(), QString("Com"));

    auto* com1 = Find<QRadioButton>(&dialog, "OptionCOM0");
    auto* com3 = Find<QRadioButton>(&dialog, "OptionCOM2");
    QVERIFY(com1->isEnabled());
    QVERIFY(!com3->isEnabled());
    QCOMPARE(dialog.failureReason(3).problem, kv3::PortProblem::NotFound);
    QVERIFY(com3->toolTip().endsWith(QString::fromStdString(dialog.failure(3))));
    // Four rows of five, COM1..COM5 on the first.
    QCOMPARE(Find<QRadioButton>(&dialog, "OptionCOM4")->y(), com1->y());
    QVERIFY(Find<QRadioButton>(&dialog, "OptionCOM5")->y() > com1->y());
    QCOMPARE(Find<QRadioButton>(&dialog, "OptionCOM19")->text(), QString("COM20"));

    // The saved COM3 did not open; the only port found is not shown selected.
    if (dialog.scan().found == 1) {
      QCOMPARE(w.ComPortNumber(), 1);
      QVERIFY(!com1->isChecked());
      QVERIFY(w.port().IsOpen());
    }

    w.ShowPortDialog();
    QVERIFY(dialog.isVisible());
    w.port().Close();
    QTest::mouseClick(com1, Qt::LeftButton);
    QVERIFY(com1->isChecked());
    QCOMPARE(w.ComPortNumber(), 1);
    QVERIFY(w.port().IsOpen());
    dialog.close();
    QVERIFY(dialog.isHidden());
    w.ShowPortDialog();
    QVERIFY(com1->isChecked());  // kept while hidden
    w.close();
    QCOMPARE(config.ReadParameters().at(1), '\x01');
  }
};

QTEST_MAIN(MainPorts)
#include "main_ports.moc"
