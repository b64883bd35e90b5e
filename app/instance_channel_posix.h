#pragma once

#include "app/instance_channel.h"

struct sockaddr_un;

// The launcher's side of the instance channel, in plain POSIX so that a second
// start needs neither the GUI stack nor QtNetwork. The first instance is the
// process holding an flock() on a lock file in the per-user runtime folder: the
// kernel releases it when that process dies, even by SIGKILL, so there is no
// stale lock to guess about. The lock's descriptor is close-on-exec, so
// programs the first instance starts never inherit the role.
class InstanceChannelPosix : public InstanceChannel {
public:
  // `runtimeFolder` empty: no channel, every start runs alone.
  explicit InstanceChannelPosix(const QString& runtimeFolder);
  ~InstanceChannelPosix() override;
  InstanceChannelPosix(const InstanceChannelPosix&) = delete;
  InstanceChannelPosix& operator=(const InstanceChannelPosix&) = delete;

  bool anotherInstanceRunning() override;
  bool execute(const QString& command) override;
  QString serverPath() const override;

  // The files in the runtime folder, named after the program and its link topic.
  static QString lockPath(const QString& runtimeFolder);
  static QString socketPath(const QString& runtimeFolder);

private:
  int connectToHolder(const sockaddr_un& address);
  bool holderGone();

  QString m_runtimeFolder;
  int m_lockFd = -1;
  bool m_holdsLock = false;
};
