// Key presses and mouse clicks given through the X server, as a user gives
// them: xdotool's events go to the window that holds the X focus, or to an
// open pop-up list that grabbed the keyboard and the pointer, and each key
// arrives with the text the keyboard map gives it (Delete brings U+007F).
// QTest's own events are handed straight to a widget and see none of this.
// Only on the xcb platform, each test program on an X server of its own.
#pragma once

#include <QGuiApplication>
#include <QProcess>
#include <QStandardPaths>
#include <QTest>
#include <QWidget>

// A test that needs real input: skipped where there is no X server to give
// it, failed where one was meant to be (KV3_X_TESTS set by the test runner).
#define KV3_REQUIRE_X()                                                    \
  do {                                                                     \
    if (!kv3test::x::Available()) {                                        \
      if (qEnvironmentVariableIsSet("KV3_X_TESTS"))                        \
        QFAIL("no X server or no xdotool, where the tests were run on X"); \
      QSKIP("needs the xcb platform and xdotool");                         \
    }                                                                      \
  } while (false)

namespace kv3test::x {

// Bound of a wait for an event that the X server delivers.
inline constexpr int kXWait = 30000;

inline bool Available() {
  return QGuiApplication::platformName() == QLatin1String("xcb") &&
         !QStandardPaths::findExecutable("xdotool").isEmpty();
}

// Runs xdotool; it returns once the X server has taken the events, which
// reach the program the next time its event loop runs.
inline void Xdotool(const QStringList& args) {
  QProcess xdotool;
  xdotool.start("xdotool", args);
  QVERIFY2(xdotool.waitForFinished(kXWait), qPrintable(args.join(' ')));
  QVERIFY2(xdotool.exitStatus() == QProcess::NormalExit && xdotool.exitCode() == 0,
           qPrintable(args.join(' ') + ": " + xdotool.readAllStandardError()));
}

// Key presses by key name ("Delete", "ctrl+a", "F4", "Return").
inline void Keys(const QStringList& keys) {
  Xdotool(QStringList{"key", "--delay", "20"} + keys);
}

// Types a text key by key.
inline void Type(const QString& text) {
  Xdotool({"type", "--delay", "20", text});
}

// A click of a mouse button (1 left, 2 middle, 3 right) at a point of a
// widget. The X server takes the move before the click, in order.
inline void Click(QWidget* widget, QPoint point, int button = 1) {
  const QPoint global = widget->mapToGlobal(point);
  Xdotool({"mousemove", QString::number(global.x()), QString::number(global.y()), "click",
           QString::number(button)});
}

// Makes a top-level window the one that holds the X focus.
inline bool Activate(QWidget* window) {
  window->show();
  window->raise();
  window->activateWindow();
  return QTest::qWaitForWindowActive(window, kXWait);
}

}  // namespace kv3test::x
