#pragma once

#include <QObject>
#include <functional>

class QSocketNotifier;

// SIGTERM, SIGINT and SIGHUP (a session ending, `kill`, Ctrl+C in a terminal)
// end the player as its close button does, so that what closing saves is
// saved. The signal handler only writes a byte to a pipe; the close runs in
// the event loop.
class TerminationQt : public QObject {
  Q_OBJECT
public:
  explicit TerminationQt(std::function<void()> close);
  ~TerminationQt() override;

private:
  void arrived();

  std::function<void()> m_close;
  QSocketNotifier* m_notifier = nullptr;
};
