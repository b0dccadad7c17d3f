#pragma once
// The settings of a record as the profile report shows them, gathered from the catalogue's
// entries: the lines of show and get, and the members of get --json.

#include <string>
#include <vector>

#include "core/settings/settings_catalogue.h"

namespace p330 {

struct ReportedLine {
    std::string label;
    std::string text;
};
std::vector<ReportedLine> setting_report_lines(const SettingsRecord& record);

// A member of get --json's report: a field, or a list of objects when list is named.
struct ReportMember {
    ReportField field;
    std::string list;
    std::vector<std::vector<ReportField>> objects;
};
std::vector<ReportMember> setting_report_members(const SettingsRecord& record);

// The names of those members, as a reader of get --json's output meets them.
std::vector<std::string> setting_report_names();

}  // namespace p330
