#pragma once
// Where p330's files are for this start: --data-dir, or the user's folder with the shipped
// data beside the program.

#include <QString>
#include <optional>

#include "core/formats/data_locations.h"
#include "gui/app/application.h"

namespace p330::gui {

// Fills the folders of options; nothing, with the reason printed, when the user's files have
// no folder.
std::optional<DataLocations> locate_user_files(AppOptions& options, const QString& data_dir);

// Copies in what the user's folder lacks of the shipped defaults, in the locale's language.
// A problem is printed and returned; the start goes on, as what is there may do.
QString seed_user_files(const DataLocations& where);

}  // namespace p330::gui
