#include "core/settings/setting_report.h"

#include <algorithm>

namespace p330 {
namespace {

// The entries that word a line, in the report's order.
std::vector<const ReportPart*> worded_lines() {
    std::vector<const ReportPart*> lines;
    for (const SettingEntry& e : settings_catalogue()) {
        if (e.report.line != ReportLine::kNone && e.report.text) lines.push_back(&e.report);
    }
    std::stable_sort(lines.begin(), lines.end(), [](const ReportPart* a, const ReportPart* b) {
        return a->line != b->line ? a->line < b->line : a->item < b->item;
    });
    return lines;
}

}  // namespace

std::vector<ReportedLine> setting_report_lines(const SettingsRecord& record) {
    std::vector<ReportedLine> out;
    for (const ReportPart* part : worded_lines())
        out.push_back(ReportedLine{part->label, part->text(record)});
    return out;
}

std::vector<ReportMember> setting_report_members(const SettingsRecord& record) {
    std::vector<ReportMember> out;
    for (const ReportPart* part : worded_lines()) {
        std::vector<ReportField> fields = part->json(record);
        if (part->list.empty()) {
            for (ReportField& f : fields) out.push_back(ReportMember{std::move(f), {}, {}});
            continue;
        }
        const auto list = std::find_if(
            out.begin(), out.end(), [part](const ReportMember& m) { return m.list == part->list; });
        if (list != out.end()) {
            list->objects.push_back(std::move(fields));
        } else {
            out.push_back(ReportMember{{}, part->list, {std::move(fields)}});
        }
    }
    return out;
}

std::vector<std::string> setting_report_names() {
    std::vector<std::string> names;
    for (const ReportMember& m : setting_report_members(SettingsRecord{}))
        names.push_back(m.list.empty() ? m.field.name : m.list);
    return names;
}

}  // namespace p330
