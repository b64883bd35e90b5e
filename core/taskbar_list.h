#pragma once

#include <QtGlobal>

// Progress on the window's taskbar (or dock) button.
namespace ProgressState {
inline constexpr int NoProgress = 0;    // TBPF_NOPROGRESS
inline constexpr int Indeterminate = 1; // TBPF_INDETERMINATE
inline constexpr int Normal = 2;        // TBPF_NORMAL
inline constexpr int Paused = 8;        // TBPF_PAUSED
} // namespace ProgressState

class TaskbarList {
public:
  virtual ~TaskbarList() = default;
  virtual void SetProgressValue(quint64 completed, quint64 total) = 0;
  virtual void SetProgressState(int flags) = 0;
};
