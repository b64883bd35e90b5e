#pragma once

#include "core/process_launcher.h"
#include <QVector>

// Records the programs it was asked to start; `starts` and `succeeds` decide
// the outcome.
class FakeProcessLauncher : public ProcessLauncher {
public:
  struct Started {
    QString program;
    QStringList arguments;
    bool watched;
  };
  QVector<Started> started;
  bool starts = true;
  bool succeeds = true;

  bool startDetached(const QString& program, const QStringList& arguments) override
  {
    started.append({program, arguments, false});
    return starts;
  }
  void startWatched(const QString& program, const QStringList& arguments,
                    std::function<void(bool)> done) override
  {
    started.append({program, arguments, true});
    done(starts && succeeds);
  }
};
