#include "cli/profile_report.h"

#include "cli/json_writer.h"
#include "core/settings/record_ranges.h"
#include "core/settings/setting_report.h"

namespace p330::cli {

int macro_pairs_used(const std::uint8_t* block) {
    int used = 0;
    for (int pair = 0; pair < 63; ++pair) {
        if (block[2 + 2 * pair] != 0 || block[3 + 2 * pair] != 0) used = pair + 1;
    }
    return used;
}

std::string profile_text(const SettingsRecord& r, int first_run_flag) {
    std::string out;
    auto line = [&out](const std::string& label, const std::string& value) {
        out += label + std::string(label.size() < 18 ? 18 - label.size() : 1, ' ') + value + "\n";
    };
    line("First-run flag", std::to_string(first_run_flag) +
                               (first_run_flag ? " (written by the program)" : " (never written)"));
    for (const ReportedLine& setting : setting_report_lines(r)) line(setting.label, setting.text);
    for (int m = 0; m < kMacroCount; ++m) {
        const int pairs = macro_pairs_used(r.macro_block[m]);
        if (pairs == 0 && r.macro_block[m][0] == 0 && r.macro_block[m][1] == 0) continue;
        line("Macro block " + std::to_string(m + 1),
             std::to_string(pairs) + " of 63 pairs, loop " +
                 std::to_string(r.macro_block[m][0] << 8 | r.macro_block[m][1]));
    }
    for (const RangeFault& fault :
         out_of_range_fields(r, static_cast<std::uint8_t>(first_run_flag))) {
        line("Out of range", fault.field + " is " + std::to_string(fault.value) + ", not " +
                                 fault.allowed + " (kept as it is)");
    }
    return out;
}

namespace {

std::string field_json(const ReportField& f) {
    switch (f.kind) {
        case ReportField::Kind::kNumber: return f.text;
        case ReportField::Kind::kFlag: return json_bool(f.flag);
        case ReportField::Kind::kText: return json_string(f.text);
        case ReportField::Kind::kNumbers: {
            JsonList list('[');
            for (const int n : f.numbers) list.item(json_number(n));
            return list.str();
        }
    }
    return "null";
}

std::string object_json(const std::vector<ReportField>& fields) {
    JsonList object('{');
    for (const ReportField& f : fields) object.field(f.name, field_json(f));
    return object.str();
}

}  // namespace

std::string profile_json(const SettingsRecord& r, int first_run_flag) {
    JsonList out('{');
    out.field("first_run_flag", json_number(first_run_flag));
    for (const ReportMember& m : setting_report_members(r)) {
        if (m.list.empty()) {
            out.field(m.field.name, field_json(m.field));
            continue;
        }
        JsonList objects('[');
        for (const std::vector<ReportField>& fields : m.objects) objects.item(object_json(fields));
        out.field(m.list, objects.str());
    }
    JsonList macros('[');
    for (int m = 0; m < kMacroCount; ++m) {
        macros.item(JsonList('{')
                        .field("block", json_number(m + 1))
                        .field("loop", json_number(r.macro_block[m][0] << 8 | r.macro_block[m][1]))
                        .field("pairs", json_number(macro_pairs_used(r.macro_block[m])))
                        .str());
    }
    JsonList faults('[');
    for (const RangeFault& fault :
         out_of_range_fields(r, static_cast<std::uint8_t>(first_run_flag))) {
        faults.item(JsonList('{')
                        .field("field", json_string(fault.field))
                        .field("value", json_number(fault.value))
                        .field("allowed", json_string(fault.allowed))
                        .str());
    }
    return out.field("macro_blocks", macros.str()).field("out_of_range", faults.str()).str();
}

}  // namespace p330::cli
