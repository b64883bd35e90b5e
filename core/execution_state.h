#pragma once

// Tells the system that the display or the system is in use, resetting its
// idle timers once per call.
namespace ExecutionFlag {
inline constexpr unsigned SystemRequired = 1;  // ES_SYSTEM_REQUIRED
inline constexpr unsigned DisplayRequired = 2; // ES_DISPLAY_REQUIRED
} // namespace ExecutionFlag

class ExecutionState {
public:
  virtual ~ExecutionState() = default;
  virtual void SetThreadExecutionState(unsigned flags) = 0;
};
