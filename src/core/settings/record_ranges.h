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
};

std::vector<RangeFault> out_of_range_fields(const SettingsRecord& record,
                                            std::uint8_t first_run_flag);

}  // namespace p330
