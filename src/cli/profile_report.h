#pragma once
// A profile image described for people (show) and for scripts (show --json).

#include <string>

#include "core/model/settings_record.h"

namespace p330::cli {

// Event pairs a macro block uses (up to the last pair that is not zero).
int macro_pairs_used(const std::uint8_t* block);

std::string profile_text(const SettingsRecord& record, int first_run_flag);
std::string profile_json(const SettingsRecord& record, int first_run_flag);

}  // namespace p330::cli
