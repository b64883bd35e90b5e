#pragma once

#include "core/process_launcher.h"

class ProcessLauncherQt : public ProcessLauncher {
public:
  bool startDetached(const QString& program, const QStringList& arguments) override;
  void startWatched(const QString& program, const QStringList& arguments,
                    std::function<void(bool succeeded)> done) override;
};
