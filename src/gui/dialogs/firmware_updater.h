#pragma once
// The firmware updater installed beside the program: Update/X64/FwUpdate on 64-bit systems,
// Update/X86/FwUpdate otherwise, started as a process of its own.

#include <QString>

namespace p330::gui {

// The updater's path for a program folder and a processor architecture as
// QSysInfo::currentCpuArchitecture() names it.
QString firmware_updater_path(const QString& program_dir, const QString& architecture);

// Starts the updater of this program's folder, never through a shell, and does not wait for
// it; a missing updater starts nothing and is not reported. Returns whether it started.
bool launch_firmware_updater();

}  // namespace p330::gui
