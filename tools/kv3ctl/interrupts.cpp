#include "interrupts.h"

#include <QtGlobal>
#ifdef Q_OS_WIN
#include <QWinEventNotifier>
#else
#include <QSocketNotifier>
#endif
#include <map>
#include <memory>

#include "platform/interrupts.h"
#include "radio_session.h"

namespace kv3ctl {

namespace {

std::map<int, std::function<void()>>& Watchers() {
  static std::map<int, std::function<void()>> watchers;
  return watchers;
}

void Notify() {
  kv3::QuietInterruptNotifier();
  // A watcher may end a session, whose handlers may unwatch: call a copy.
  auto watchers = Watchers();
  for (auto& [id, fn] : watchers)
    if (Watchers().count(id)) fn();
}

}  // namespace

void CatchInterrupts() {
  EnsureEventLoop();
  if (kv3::InterruptNotifier() >= 0) return;
  if (!kv3::CatchInterrupts()) return;
#ifdef Q_OS_WIN
  static std::unique_ptr<QWinEventNotifier> notifier;
  notifier =
      std::make_unique<QWinEventNotifier>(reinterpret_cast<Qt::HANDLE>(kv3::InterruptNotifier()));
  QObject::connect(notifier.get(), &QWinEventNotifier::activated, notifier.get(), [] { Notify(); });
#else
  static std::unique_ptr<QSocketNotifier> notifier;
  notifier = std::make_unique<QSocketNotifier>(static_cast<qintptr>(kv3::InterruptNotifier()),
                                               QSocketNotifier::Read);
  QObject::connect(notifier.get(), &QSocketNotifier::activated, notifier.get(), [] { Notify(); });
#endif
}

int InterruptSignal() {
  return kv3::CaughtInterrupt();
}

int InterruptExitCode() {
  return 128 + kv3::CaughtInterrupt();
}

std::string InterruptName() {
  return kv3::InterruptName(kv3::CaughtInterrupt());
}

int WatchInterrupts(std::function<void()> fn) {
  static int next = 0;
  Watchers()[++next] = std::move(fn);
  return next;
}

void UnwatchInterrupts(int id) {
  Watchers().erase(id);
}

std::optional<std::string> ReadAnswerLine() {
  return kv3::ReadInputLine();
}

}  // namespace kv3ctl
