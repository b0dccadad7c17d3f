#pragma once
// The fields of a profile image that hold values the program never produces: a setting out
// of its range, a button code that names no function, no button left on Click. Readers refuse
// such an image rather than send the mouse what nobody chose.

#include <cstdint>
#include <string>
#include <vector>

#include "core/model/settings_record.h"

namespace p330 {

struct RangeFault {
    std::string field;    // the record's field name, with the index for arrays
    int value;            // what the image holds
    std::string allowed;  // the range, in words
    int nearest = 0;      // what a tolerated field was brought to
};

// Profiles another program wrote may hold, in fields that change nothing a button does, values
// the window never sets: the levels of lighting modes not in use, the pointer speed and
// double-click levels (desktop settings), an angle snap or scroll lines of 0 (the settings'
// catalogue entries say which, StoredField::tolerated). Each such field is brought to the
// nearest value of its range; returned are the fields changed.
std::vector<RangeFault> bring_tolerated_fields_into_range(SettingsRecord& record);

std::vector<RangeFault> out_of_range_fields(const SettingsRecord& record,
                                            std::uint8_t first_run_flag);

}  // namespace p330
