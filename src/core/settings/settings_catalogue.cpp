#include "core/settings/settings_catalogue.h"

#include <cstdio>
#include <cstdlib>

#include "core/buttons/button_assignment.h"
#include "core/model/record_units.h"
#include "core/util/parse_int.h"
#include "core/util/quoted_value.h"
#include "core/util/text_encoding.h"

namespace p330 {
namespace {

using Field = std::uint8_t SettingsRecord::*;
using Panel = std::string_view UiTexts::*;

Error refuse(const std::string& key, const std::string& takes, std::string_view text) {
    return Error{ErrorCode::kInvalidArgument,
                 key + ": takes " + takes + ", not " + quoted_value(text)};
}

SettingValue number_value(long long n) {
    return {std::to_string(n), true};
}

// A number setting over typed get/set: the text forms follow from them.
SettingEntry number(std::string key, std::string takes, Panel panel, LevelRange range,
                    const std::function<int(const SettingsRecord&)>& get,
                    const std::function<bool(SettingsRecord&, long long)>& set) {
    SettingEntry e{std::move(key), SettingKind::kNumber, std::move(takes), panel, range};
    e.get = get;
    e.set = set;
    e.read = [get](const ProfileSettings& p) { return number_value(get(p.record)); };
    e.write = [key = e.key, takes = e.takes, set](ProfileSettings& p,
                                                  std::string_view text) -> Result<std::string> {
        const auto v = parse_decimal(text);
        if (!v || !set(p.record, *v)) return refuse(key, takes, text);
        return std::string();
    };
    return e;
}

SettingEntry level(std::string key, Panel panel, Field field, LevelRange range,
                   const std::string& extra = "") {
    return number(
        std::move(key),
        "a whole number from " + std::to_string(range.min) + " to " + std::to_string(range.max) +
            extra,
        panel, range, [field](const SettingsRecord& r) { return int(r.*field); },
        [field, range](SettingsRecord& r, long long v) {
            if (!range.holds(v)) return false;
            r.*field = static_cast<std::uint8_t>(v);
            return true;
        });
}

// on is stored as 1; reading says "on" for 1 only, or for any nonzero byte when any_nonzero
// is set (as the record's users read that byte).
SettingEntry on_off(std::string key, Panel panel, Field field, bool any_nonzero) {
    SettingEntry e{std::move(key), SettingKind::kOnOff, "on or off", panel, {0, 1}};
    e.get = [field, any_nonzero](const SettingsRecord& r) {
        return int(any_nonzero ? r.*field != 0 : r.*field == 1);
    };
    e.set = [field](SettingsRecord& r, long long v) {
        if (v != 0 && v != 1) return false;
        r.*field = static_cast<std::uint8_t>(v);
        return true;
    };
    e.read = [get = e.get](const ProfileSettings& p) {
        return SettingValue{get(p.record) ? "on" : "off", false};
    };
    e.write = [key = e.key, set = e.set](ProfileSettings& p,
                                         std::string_view text) -> Result<std::string> {
        const bool on = equal_ignoring_ascii_case(text, "on");
        if (!on && !equal_ignoring_ascii_case(text, "off")) return refuse(key, "on or off", text);
        set(p.record, on ? 1 : 0);
        return std::string();
    };
    return e;
}

SettingEntry dpi(int stage) {
    SettingEntry e = number(
        "dpi." + std::to_string(stage + 1),
        "a DPI from " + std::to_string(kDpiEntryRange.min) + " to " +
            std::to_string(kDpiEntryRange.max) + ", stored in steps of " +
            std::to_string(kDpiStep) + " (175 becomes 150)",
        &UiTexts::dpi_setting, kDpiEntryRange,
        [stage](const SettingsRecord& r) { return dpi_of_stored(r.dpi_stage[stage]); },
        [stage](SettingsRecord& r, long long v) {
            if (!kDpiEntryRange.holds(v)) return false;
            r.dpi_stage[stage] = clamp_dpi_entry(static_cast<int>(v)).stored;
            return true;
        });
    e.write = [key = e.key, takes = e.takes, set = e.set](
                  ProfileSettings& p, std::string_view text) -> Result<std::string> {
        const auto v = parse_decimal(text);
        if (!v || !set(p.record, *v)) return refuse(key, takes, text);
        if (*v % kDpiStep == 0) return std::string();
        return std::string(text) + " DPI is stored as " +
               std::to_string(clamp_dpi_entry(static_cast<int>(*v)).stored * kDpiStep);
    };
    return e;
}

SettingEntry colour(int stage) {
    SettingEntry e{"colour." + std::to_string(stage + 1), SettingKind::kColour, "#RRGGBB",
                   &UiTexts::dpi_setting};
    e.read = [stage](const ProfileSettings& p) {
        const Rgb c = stage_rgb(p.record, stage);
        char buffer[8];
        std::snprintf(buffer, sizeof buffer, "#%02X%02X%02X", c.red, c.green, c.blue);
        return SettingValue{buffer, false};
    };
    e.write = [key = e.key, stage](ProfileSettings& p,
                                   std::string_view text) -> Result<std::string> {
        const bool shaped =
            text.size() == 7 && text[0] == '#' &&
            text.find_first_not_of("0123456789abcdefABCDEF", 1) == std::string_view::npos;
        if (!shaped) return refuse(key, "#RRGGBB", text);
        auto byte = [&](std::size_t at) {
            return static_cast<std::uint8_t>(
                std::strtoul(std::string(text.substr(at, 2)).c_str(), nullptr, 16));
        };
        store_stage_rgb(p.record, stage, Rgb{byte(1), byte(3), byte(5)});
        return std::string();
    };
    return e;
}

constexpr std::string_view kLightModes[] = {"standard", "respiration", "neon"};

SettingEntry light_mode() {
    SettingEntry e{"light.mode",
                   SettingKind::kChoice,
                   "standard, respiration or neon",
                   &UiTexts::lighting,
                   {1, kLightModeCount}};
    e.get = [](const SettingsRecord& r) { return int(r.light_mode); };
    e.set = [](SettingsRecord& r, long long mode) {
        if (mode < 1 || mode > kLightModeCount) return false;
        r.light_mode = static_cast<std::uint8_t>(mode);
        return true;
    };
    e.read = [](const ProfileSettings& p) {
        const int m = p.record.light_mode;
        if (m >= 1 && m <= kLightModeCount) return SettingValue{std::string(kLightModes[m - 1])};
        return SettingValue{m == 0 ? "none" : "unknown-" + std::to_string(m)};
    };
    e.write = [takes = e.takes](ProfileSettings& p, std::string_view text) -> Result<std::string> {
        for (int m = 0; m < kLightModeCount; ++m) {
            if (equal_ignoring_ascii_case(text, kLightModes[m])) {
                p.record.light_mode = static_cast<std::uint8_t>(m + 1);  // as set does
                return std::string();
            }
        }
        return refuse("light.mode", takes, text);
    };
    return e;
}

SettingEntry report_rate() {
    SettingEntry e = number(
        "rate", "125, 250, 500 or 1000 (Hz)", &UiTexts::usb_report_rate,
        {report_rate_hz(kReportIntervals.back()), report_rate_hz(kReportIntervals.front())},
        [](const SettingsRecord& r) { return report_rate_hz(r.report_interval); },
        [](SettingsRecord& r, long long hz) {
            const auto interval = report_interval_of_rate(hz);
            if (!interval) return false;
            r.report_interval = *interval;
            return true;
        });
    return e;
}

SettingEntry language() {
    SettingEntry e{"language", SettingKind::kLanguage,
                   "EN, CHS or CHT (the whole program's language: every profile's)",
                   &UiTexts::product_title};
    e.read = [](const ProfileSettings& p) {
        return SettingValue{std::string(language_code(p.language)), false};
    };
    e.write = [takes = e.takes](ProfileSettings& p, std::string_view text) -> Result<std::string> {
        std::string_view code;
        for (const std::string_view known : {"EN", "CHS", "CHT"})
            if (equal_ignoring_ascii_case(text, known)) code = known;
        if (code.empty()) return refuse("language", takes, text);
        const Language wanted = language_from_code(code);
        if (wanted != p.language) {
            p.language = wanted;
            p.language_changed = true;
            // The labels of the new language are the ones its section holds.
            p.labels = p.labels_by_language[static_cast<std::size_t>(wanted)];
        }
        return std::string();
    };
    return e;
}

SettingEntry button(int b) {
    SettingEntry e{"button." + std::to_string(b + 1), SettingKind::kButton,
                   "a function (see 'p330ctl help set')", &UiTexts::button_assignment};
    e.read = [b](const ProfileSettings& p) {
        return SettingValue{button_function_text(p.record, b, p.macro_names), false};
    };
    e.write = [key = e.key, b](ProfileSettings& p, std::string_view text) -> Result<std::string> {
        Result<ButtonChoice> choice = parse_button_function(text, p.macro_names);
        if (!choice) return Error{ErrorCode::kInvalidArgument, key + ": " + choice.error().message};
        if (choice->kind != kKindClick && is_last_left_key(p.record, b))
            return Error{ErrorCode::kInvalidArgument,
                         std::string(ui_texts(p.language).left_key_required)};
        p.labels[static_cast<std::size_t>(b)] =
            commit_button_choice(p.record, b, *choice, p.language);
        p.labels_changed = true;
        return std::string();
    };
    return e;
}

std::vector<SettingEntry> build_catalogue() {
    std::vector<SettingEntry> t;
    t.reserve(40);
    for (int s = 0; s < 4; ++s) t.push_back(dpi(s));
    for (int s = 0; s < 4; ++s) t.push_back(colour(s));
    t.push_back(report_rate());
    t.push_back(light_mode());
    t.push_back(level("light.standard", &UiTexts::lighting, &SettingsRecord::light_param_1,
                      kLightLevelRange, " (1 turns the light off)"));
    t.push_back(level("light.respiration", &UiTexts::lighting, &SettingsRecord::light_param_2,
                      kLightLevelRange));
    t.push_back(
        level("light.neon", &UiTexts::lighting, &SettingsRecord::light_param_3, kLightLevelRange));
    t.push_back(level("sensitivity.x", &UiTexts::sensitivity_setting,
                      &SettingsRecord::sensitivity_x, kSensitivityRange));
    t.push_back(level("sensitivity.y", &UiTexts::sensitivity_setting,
                      &SettingsRecord::sensitivity_y, kSensitivityRange));
    t.push_back(level("angle-snap", &UiTexts::angle_snap, &SettingsRecord::angle_snap_level,
                      kAngleSnapRange, " (1 is off)"));
    t.push_back(level("pointer.speed", &UiTexts::mouse_speed, &SettingsRecord::pointer_speed,
                      kPointerSpeedRange, " (the gauge's level)"));
    t.push_back(on_off("pointer.precision", &UiTexts::mouse_speed,
                       &SettingsRecord::pointer_precision, false));
    t.push_back(level("double-click", &UiTexts::double_click_speed,
                      &SettingsRecord::double_click_level, kDoubleClickRange,
                      " (the gauge's level)"));
    t.push_back(level("scroll.lines", &UiTexts::scroll_speed, &SettingsRecord::scroll_lines,
                      kScrollLinesRange));
    t.push_back(
        on_off("scroll.page", &UiTexts::scroll_speed, &SettingsRecord::scroll_by_page, true));
    t.push_back(language());
    for (int b = 0; b < kButtonCount; ++b) t.push_back(button(b));
    return t;
}

}  // namespace

const std::vector<SettingEntry>& settings_catalogue() {
    static const std::vector<SettingEntry> table = build_catalogue();
    return table;
}

const SettingEntry* find_setting(std::string_view key) {
    for (const SettingEntry& entry : settings_catalogue()) {
        if (entry.key == key) return &entry;
    }
    return nullptr;
}

const SettingEntry& setting(std::string_view key) {
    const SettingEntry* entry = find_setting(key);
    if (entry == nullptr) std::abort();  // a misspelt key in the program itself
    return *entry;
}

namespace {
Error unknown_key(std::string_view key) {
    return Error{ErrorCode::kInvalidArgument,
                 "unknown key " + quoted_value(key) + " (see 'p330ctl help set')"};
}
}  // namespace

Result<SettingValue> read_setting(const ProfileSettings& profile, std::string_view key) {
    const SettingEntry* entry = find_setting(key);
    if (entry == nullptr) return unknown_key(key);
    return entry->read(profile);
}

Result<std::string> write_setting(ProfileSettings& profile, std::string_view key,
                                  std::string_view value) {
    const SettingEntry* entry = find_setting(key);
    if (entry == nullptr) return unknown_key(key);
    return entry->write(profile, value);
}

std::string settings_key_list() {
    std::string out;
    for (const SettingEntry& e : settings_catalogue()) {
        out += "  " + e.key + std::string(e.key.size() < 20 ? 20 - e.key.size() : 1, ' ') +
               e.takes + "\n";
    }
    return out;
}

}  // namespace p330
