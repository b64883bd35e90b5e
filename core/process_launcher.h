#pragma once

#include <QString>
#include <QStringList>
#include <functional>

// Starts other programs: always a program and its arguments, never a shell.
class ProcessLauncher {
public:
  virtual ~ProcessLauncher() = default;
  // Starts and forgets; false when the program cannot be started.
  virtual bool startDetached(const QString& program, const QStringList& arguments) = 0;
  // Starts without blocking and reports later whether the program started and
  // ended with status 0.
  virtual void startWatched(const QString& program, const QStringList& arguments,
                            std::function<void(bool succeeded)> done) = 0;
};
