#pragma once

#include "core/execution_state.h"
#include "core/taskbar_list.h"
#include <QList>
#include <QStringList>

// Progress on the program's button; every call is written to a log the test
// owns ("value 75 300", "state 2"), since the form owns the object itself.
class FakeTaskbarList : public TaskbarList {
public:
  explicit FakeTaskbarList(QStringList& log) : m_log(log) {}
  void SetProgressValue(quint64 completed, quint64 total) override
  {
    m_log << QStringLiteral("value %1 %2").arg(completed).arg(total);
  }
  void SetProgressState(int flags) override { m_log << QStringLiteral("state %1").arg(flags); }

private:
  QStringList& m_log;
};

// Remembers the flags of every idle-timer reset, in order.
class FakeExecutionState : public ExecutionState {
public:
  QList<unsigned> calls;
  void SetThreadExecutionState(unsigned flags) override { calls << flags; }
};
