#pragma once
// A test's way to kill a writer at a chosen point of a change: with P330_KILL_AFTER_REPLACED=N
// in its environment, a process ends by SIGKILL right after the N-th file it replaced by
// rename, as if killed there. Read once; unset or 0 changes nothing.

namespace p330 {

inline constexpr char kKillAfterReplacedVariable[] = "P330_KILL_AFTER_REPLACED";

// Called once a file has been renamed into place.
void file_replaced();

}  // namespace p330
