#include "cli/setting_keys.h"

#include <cstdio>
#include <functional>

#include "core/buttons/button_assignment.h"
#include "core/flows/profile_files.h"
#include "core/settings/setting_limits.h"
#include "core/util/parse_int.h"

namespace p330::cli {
namespace {

using Field = std::uint8_t SettingsRecord::*;

struct Entry {
    std::string name;
    std::function<SettingValue(const ProfileEdit&)> read;
    std::function<Result<std::string>(ProfileEdit&, std::string_view)> write;
};

Error refuse(const std::string& key, const std::string& why) {
    return Error{ErrorCode::kInvalidArgument, key + ": " + why};
}

SettingValue number(long long n) {
    return {std::to_string(n), true};
}

Entry level(const std::string& name, Field field, LevelRange range) {
    return {name, [field](const ProfileEdit& e) { return number(e.record.*field); },
            [name, field, range](ProfileEdit& e, std::string_view text) -> Result<std::string> {
                const auto v = parse_decimal(text);
                if (!v || !range.holds(*v)) {
                    return refuse(name, "takes a whole number from " + std::to_string(range.min) +
                                            " to " + std::to_string(range.max) + ", not '" +
                                            std::string(text) + "'");
                }
                e.record.*field = static_cast<std::uint8_t>(*v);
                return std::string();
            }};
}

// on_value is what "on" stores; reading says "on" for on_value only, or for any nonzero
// value when any_nonzero is set (as the record's users read the byte).
Entry on_off(const std::string& name, Field field, bool any_nonzero) {
    return {name,
            [field, any_nonzero](const ProfileEdit& e) {
                const std::uint8_t v = e.record.*field;
                return SettingValue{(any_nonzero ? v != 0 : v == 1) ? "on" : "off", false};
            },
            [name, field](ProfileEdit& e, std::string_view text) -> Result<std::string> {
                if (text != "on" && text != "off")
                    return refuse(name, "takes on or off, not '" + std::string(text) + "'");
                e.record.*field = text == "on" ? 1 : 0;
                return std::string();
            }};
}

Entry dpi(int stage) {
    const std::string name = "dpi." + std::to_string(stage + 1);
    return {name,
            [stage](const ProfileEdit& e) {
                return number(static_cast<long long>(kDpiStep) * e.record.dpi_stage[stage]);
            },
            [name, stage](ProfileEdit& e, std::string_view text) -> Result<std::string> {
                const auto v = parse_decimal(text);
                const DpiEntry entry =
                    clamp_dpi_entry(v ? static_cast<int>(std::min(*v, 99999LL)) : 0);
                if (!v || entry.clamped) {
                    return refuse(name, "takes a DPI from " + std::to_string(kDpiEntryRange.min) +
                                            " to " + std::to_string(kDpiEntryRange.max) +
                                            ", not '" + std::string(text) + "'");
                }
                e.record.dpi_stage[stage] = entry.stored;
                if (*v % kDpiStep == 0) return std::string();
                return std::string(text) + " DPI is stored as " +
                       std::to_string(kDpiStep * entry.stored);
            }};
}

Entry colour(int stage) {
    const std::string name = "colour." + std::to_string(stage + 1);
    return {name,
            [stage](const ProfileEdit& e) {
                const auto& c = e.record.stage_colour[stage];  // red, blue, green
                char buffer[8];
                std::snprintf(buffer, sizeof buffer, "#%02X%02X%02X", c[0], c[2], c[1]);
                return SettingValue{buffer, false};
            },
            [name, stage](ProfileEdit& e, std::string_view text) -> Result<std::string> {
                const bool shaped =
                    text.size() == 7 && text[0] == '#' &&
                    text.find_first_not_of("0123456789abcdefABCDEF", 1) == std::string_view::npos;
                if (!shaped) return refuse(name, "takes #RRGGBB, not '" + std::string(text) + "'");
                auto byte = [&](std::size_t at) {
                    return static_cast<std::uint8_t>(
                        std::stoi(std::string(text.substr(at, 2)), nullptr, 16));
                };
                auto& c = e.record.stage_colour[stage];
                c[0] = byte(1);
                c[1] = byte(5);  // blue is stored second
                c[2] = byte(3);
                return std::string();
            }};
}

constexpr std::string_view kLightModes[] = {"standard", "respiration", "neon"};

Entry light_mode() {
    return {"light.mode",
            [](const ProfileEdit& e) {
                const int m = e.record.light_mode;
                if (m >= 1 && m <= kLightModeCount)
                    return SettingValue{std::string(kLightModes[m - 1]), false};
                return SettingValue{m == 0 ? "none" : "unknown-" + std::to_string(m), false};
            },
            [](ProfileEdit& e, std::string_view text) -> Result<std::string> {
                for (int m = 0; m < kLightModeCount; ++m) {
                    if (text == kLightModes[m]) {
                        e.record.light_mode = static_cast<std::uint8_t>(m + 1);
                        return std::string();
                    }
                }
                return refuse("light.mode", "takes standard, respiration or neon, not '" +
                                                std::string(text) + "'");
            }};
}

Entry report_rate() {
    return {"rate",
            [](const ProfileEdit& e) {
                const int interval = e.record.report_interval;
                return number(interval == 0 ? 0 : 1000 / interval);
            },
            [](ProfileEdit& e, std::string_view text) -> Result<std::string> {
                const auto hz = parse_decimal(text);
                for (const std::uint8_t interval : kReportIntervals) {
                    if (hz && *hz == 1000 / interval) {
                        e.record.report_interval = interval;
                        return std::string();
                    }
                }
                return refuse("rate",
                              "takes 125, 250, 500 or 1000, not '" + std::string(text) + "'");
            }};
}

Entry language() {
    return {"language",
            [](const ProfileEdit& e) {
                return SettingValue{std::string(language_code(e.language)), false};
            },
            [](ProfileEdit& e, std::string_view text) -> Result<std::string> {
                if (text != "EN" && text != "CHS" && text != "CHT")
                    return refuse("language",
                                  "takes EN, CHS or CHT, not '" + std::string(text) + "'");
                const Language wanted = language_from_code(text);
                if (wanted != e.language) {
                    e.language = wanted;
                    e.language_changed = true;
                    // The labels of the new language are the ones its section holds.
                    e.labels = read_profile_ini(e.ini, wanted).labels;
                }
                return std::string();
            }};
}

Entry button(int b) {
    const std::string name = "button." + std::to_string(b + 1);
    return {name,
            [b](const ProfileEdit& e) {
                return SettingValue{button_function_text(e.record, b, e.macro_names), false};
            },
            [name, b](ProfileEdit& e, std::string_view text) -> Result<std::string> {
                Result<ButtonChoice> choice = parse_button_function(text, e.macro_names);
                if (!choice) return refuse(name, choice.error().message);
                if (choice->kind != kKindClick && is_last_left_key(e.record, b))
                    return Error{ErrorCode::kInvalidArgument,
                                 std::string(ui_texts(e.language).left_key_required)};
                e.labels[static_cast<std::size_t>(b)] =
                    commit_button_choice(e.record, b, *choice, e.language);
                e.labels_changed = true;
                return std::string();
            }};
}

const std::vector<Entry>& entries() {
    static const std::vector<Entry> table = [] {
        std::vector<Entry> t;
        t.reserve(40);
        for (int s = 0; s < 4; ++s) t.push_back(dpi(s));
        for (int s = 0; s < 4; ++s) t.push_back(colour(s));
        t.push_back(report_rate());
        t.push_back(light_mode());
        t.push_back(level("light.standard", &SettingsRecord::light_param_1, kLightLevelRange));
        t.push_back(level("light.respiration", &SettingsRecord::light_param_2, kLightLevelRange));
        t.push_back(level("light.neon", &SettingsRecord::light_param_3, kLightLevelRange));
        t.push_back(level("sensitivity.x", &SettingsRecord::sensitivity_x, kSensitivityRange));
        t.push_back(level("sensitivity.y", &SettingsRecord::sensitivity_y, kSensitivityRange));
        t.push_back(level("angle-snap", &SettingsRecord::angle_snap_level, kAngleSnapRange));
        t.push_back(level("pointer.speed", &SettingsRecord::pointer_speed, kPointerSpeedRange));
        t.push_back(on_off("pointer.precision", &SettingsRecord::pointer_precision, false));
        t.push_back(level("double-click", &SettingsRecord::double_click_level, kDoubleClickRange));
        t.push_back(level("scroll.lines", &SettingsRecord::scroll_lines, kScrollLinesRange));
        t.push_back(on_off("scroll.page", &SettingsRecord::scroll_by_page, true));
        t.push_back(language());
        for (int b = 0; b < kButtonCount; ++b) t.push_back(button(b));
        return t;
    }();
    return table;
}

const Entry* find_entry(std::string_view key) {
    for (const Entry& entry : entries()) {
        if (entry.name == key) return &entry;
    }
    return nullptr;
}

Error unknown_key(std::string_view key) {
    return Error{ErrorCode::kInvalidArgument,
                 "unknown key '" + std::string(key) + "' (see 'p330ctl help set')"};
}

}  // namespace

const std::vector<std::string>& setting_keys() {
    static const std::vector<std::string> names = [] {
        std::vector<std::string> out;
        for (const Entry& entry : entries()) out.push_back(entry.name);
        return out;
    }();
    return names;
}

Result<SettingValue> read_setting(const ProfileEdit& edit, std::string_view key) {
    const Entry* entry = find_entry(key);
    if (entry == nullptr) return unknown_key(key);
    return entry->read(edit);
}

Result<std::string> write_setting(ProfileEdit& edit, std::string_view key, std::string_view value) {
    const Entry* entry = find_entry(key);
    if (entry == nullptr) return unknown_key(key);
    return entry->write(edit, value);
}

}  // namespace p330::cli
