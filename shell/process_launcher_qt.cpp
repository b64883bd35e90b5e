#include "shell/process_launcher_qt.h"

#include <QProcess>

bool ProcessLauncherQt::startDetached(const QString& program, const QStringList& arguments)
{
  return QProcess::startDetached(program, arguments);
}

void ProcessLauncherQt::startWatched(const QString& program, const QStringList& arguments,
                                     std::function<void(bool succeeded)> done)
{
  auto* process = new QProcess;
  process->setStandardOutputFile(QProcess::nullDevice());
  process->setStandardErrorFile(QProcess::nullDevice());
  // Exactly one report: either it could not start, or it ended.
  QObject::connect(process, &QProcess::errorOccurred, process, [process, done](QProcess::ProcessError e) {
    if (e != QProcess::FailedToStart)
      return;
    done(false);
    process->deleteLater();
  });
  QObject::connect(process, &QProcess::finished, process,
                   [process, done](int code, QProcess::ExitStatus status) {
                     done(status == QProcess::NormalExit && code == 0);
                     process->deleteLater();
                   });
  process->start(program, arguments);
}
