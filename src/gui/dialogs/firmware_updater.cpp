#include "gui/dialogs/firmware_updater.h"

#include <QCoreApplication>
#include <QProcess>
#include <QSysInfo>

namespace p330::gui {

QString firmware_updater_path(const QString& program_dir, const QString& architecture) {
    const bool wide = architecture.contains(QLatin1String("64"));
    return program_dir +
           (wide ? QStringLiteral("/Update/X64/FwUpdate") : QStringLiteral("/Update/X86/FwUpdate"));
}

bool launch_firmware_updater() {
    const QString path = firmware_updater_path(QCoreApplication::applicationDirPath(),
                                               QSysInfo::currentCpuArchitecture());
    return QProcess::startDetached(path, {});
}

}  // namespace p330::gui
