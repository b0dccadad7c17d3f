#include "cli/profile_report.h"

#include <cstdio>

#include "cli/json_writer.h"
#include "core/buttons/button_assignment.h"
#include "core/buttons/button_code.h"
#include "core/buttons/button_description.h"
#include "core/buttons/function_catalogue.h"
#include "core/buttons/key_tables.h"
#include "core/flows/pointer_settings.h"
#include "core/model/device_image.h"
#include "core/model/record_units.h"
#include "core/settings/record_ranges.h"
#include "core/util/hex.h"

namespace p330::cli {
namespace {

std::string colour(const SettingsRecord& r, int stage) {
    char buffer[8];
    const Rgb c = stage_rgb(r, stage);
    std::snprintf(buffer, sizeof buffer, "#%02X%02X%02X", c.red, c.green, c.blue);
    return buffer;
}

std::string lighting(const SettingsRecord& r) {
    switch (r.light_mode) {
        case 0: return "none selected";
        case 1:
            return "Standard, level " + std::to_string(r.light_param_1) +
                   (r.light_param_1 == 1 ? " (off)" : "");
        case 2: return "Respiration, level " + std::to_string(r.light_param_2);
        case 3: return "Neon, level " + std::to_string(r.light_param_3);
        default: return "unknown mode " + std::to_string(r.light_mode);
    }
}

}  // namespace

int macro_pairs_used(const std::uint8_t* block) {
    int used = 0;
    for (int pair = 0; pair < 63; ++pair) {
        if (block[2 + 2 * pair] != 0 || block[3 + 2 * pair] != 0) used = pair + 1;
    }
    return used;
}

std::string profile_text(const SettingsRecord& r, int first_run_flag) {
    const PointerValues pointer = pointer_values(r);
    std::string out;
    auto line = [&out](const std::string& label, const std::string& value) {
        out += label + std::string(label.size() < 18 ? 18 - label.size() : 1, ' ') + value + "\n";
    };
    line("First-run flag", std::to_string(first_run_flag) +
                               (first_run_flag ? " (written by the program)" : " (never written)"));
    line("Report rate", std::to_string(report_rate_hz(r.report_interval)) + " Hz (interval " +
                            std::to_string(r.report_interval) + " ms)");
    for (int s = 0; s < 4; ++s) {
        line("DPI stage " + std::to_string(s + 1),
             std::to_string(dpi_of_stored(r.dpi_stage[s])) + " DPI, colour " + colour(r, s));
    }
    line("Lighting", lighting(r));
    // Each mode keeps its level: the ones not shown above come back with their mode.
    line("Light levels", "standard " + std::to_string(r.light_param_1) + ", respiration " +
                             std::to_string(r.light_param_2) + ", neon " +
                             std::to_string(r.light_param_3));
    line("Sensitivity",
         "X " + std::to_string(r.sensitivity_x) + ", Y " + std::to_string(r.sensitivity_y));
    line("Angle snap",
         "level " + std::to_string(r.angle_snap_level) + (r.angle_snap_level <= 1 ? " (off)" : ""));
    // Levels as the gauges and 'get' show them; what the desktop is set to beside them.
    line("Pointer", std::string("precision ") + (r.pointer_precision == 1 ? "on" : "off") +
                        ", speed level " + std::to_string(r.pointer_speed) + " (desktop speed " +
                        std::to_string(pointer.speed) + " of 20)");
    line("Scrolling", r.scroll_by_page ? std::string("one screen at a time")
                                       : std::to_string(r.scroll_lines) + " lines");
    line("Double-click", "level " + std::to_string(r.double_click_level) + " (" +
                             std::to_string(pointer.double_click_ms) + " ms)");
    for (int b = 0; b < kButtonCount; ++b) {
        line("Button " + std::to_string(b + 1),
             describe_button(r, b) + "  [" + to_hex(encode_button_code(r, b)) + "]");
    }
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

std::string profile_json(const SettingsRecord& r, int first_run_flag) {
    const PointerValues pointer = pointer_values(r);
    JsonList stages('[');
    for (int s = 0; s < 4; ++s) {
        stages.item(JsonList('{')
                        .field("dpi", json_number(dpi_of_stored(r.dpi_stage[s])))
                        .field("colour", json_string(colour(r, s)))
                        .str());
    }
    JsonList buttons('[');
    for (int b = 0; b < kButtonCount; ++b) {
        buttons.item(JsonList('{')
                         .field("button", json_number(b + 1))
                         .field("kind", json_number(int(r.button_kind[b])))
                         .field("kind_name", json_string(button_kind_keyword(
                                                 static_cast<ButtonKind>(r.button_kind[b]))))
                         .field("function", json_string(describe_button(r, b)))
                         .field("code", json_string(to_hex(encode_button_code(r, b))))
                         .str());
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
    return JsonList('{')
        .field("first_run_flag", json_number(first_run_flag))
        .field("report_rate_hz", json_number(report_rate_hz(r.report_interval)))
        .field("report_interval_ms", json_number(int(r.report_interval)))
        .field("dpi_stages", stages.str())
        .field("light_mode", json_number(int(r.light_mode)))
        .field("light_levels", JsonList('[')
                                   .item(json_number(int(r.light_param_1)))
                                   .item(json_number(int(r.light_param_2)))
                                   .item(json_number(int(r.light_param_3)))
                                   .str())
        .field("lighting", json_string(lighting(r)))
        .field("sensitivity_x", json_number(int(r.sensitivity_x)))
        .field("sensitivity_y", json_number(int(r.sensitivity_y)))
        .field("angle_snap_level", json_number(int(r.angle_snap_level)))
        .field("pointer_precision", json_bool(r.pointer_precision == 1))
        .field("pointer_speed", json_number(int(r.pointer_speed)))
        .field("desktop_pointer_speed", json_number(pointer.speed))
        .field("scroll_by_page", json_bool(r.scroll_by_page != 0))
        .field("scroll_lines", json_number(int(r.scroll_lines)))
        .field("double_click_level", json_number(int(r.double_click_level)))
        .field("double_click_ms", json_number(pointer.double_click_ms))
        .field("buttons", buttons.str())
        .field("macro_blocks", macros.str())
        .field("out_of_range", faults.str())
        .str();
}

}  // namespace p330::cli
