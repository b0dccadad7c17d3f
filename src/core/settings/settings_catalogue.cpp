#include "core/settings/settings_catalogue.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "core/buttons/button_assignment.h"
#include "core/buttons/button_code.h"
#include "core/buttons/button_description.h"
#include "core/lang/access_texts.h"
#include "core/model/device_image.h"
#include "core/model/record_units.h"
#include "core/settings/image_builders.h"
#include "core/util/hex.h"
#include "core/util/parse_int.h"
#include "core/util/quoted_value.h"
#include "core/util/text_encoding.h"
#include "core/util/text_replace.h"

namespace p330 {
namespace {

using Field = std::uint8_t SettingsRecord::*;
using Panel = std::string_view UiTexts::*;

Error refuse(const std::string& key, const std::string& takes, std::string_view text) {
    return Error{ErrorCode::kInvalidArgument,
                 key + ": takes " + takes + ", not " + quoted_value(text)};
}

// Every value of a short range; the ends and a few between of a long one.
std::vector<std::string> range_words(LevelRange range, const std::vector<int>& between = {}) {
    std::vector<std::string> words;
    constexpr int kListedWhole = 12;
    if (range.max - range.min < kListedWhole) {
        for (int v = range.min; v <= range.max; ++v) words.push_back(std::to_string(v));
        return words;
    }
    words.push_back(std::to_string(range.min));
    for (const int v : between) words.push_back(std::to_string(v));
    words.push_back(std::to_string(range.max));
    return words;
}

SettingValue number_value(long long n) {
    return {std::to_string(n), true};
}

// A number setting over typed get/set: the text forms follow from them.
SettingEntry number(SettingId id, std::string key, std::string takes, Panel panel, LevelRange range,
                    const std::function<int(const SettingsRecord&)>& get,
                    const std::function<bool(SettingsRecord&, long long)>& set) {
    SettingEntry e{id, std::move(key), SettingKind::kNumber, std::move(takes), {}, panel, range};
    e.suggestions = range_words(range);
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

SettingEntry level(SettingId id, std::string key, Panel panel, Field field, const char* field_name,
                   LevelRange range, const std::string& extra = "") {
    SettingEntry e = number(
        id, std::move(key),
        "a whole number from " + std::to_string(range.min) + " to " + std::to_string(range.max) +
            extra,
        panel, range, [field](const SettingsRecord& r) { return int(r.*field); },
        [field, range](SettingsRecord& r, long long v) {
            if (!range.holds(v)) return false;
            r.*field = static_cast<std::uint8_t>(v);
            return true;
        });
    e.stored = StoredField{field_name, range, e.get, nullptr, [field](SettingsRecord& r, int v) {
                               r.*field = static_cast<std::uint8_t>(v);
                           }};
    return e;
}

// on is stored as 1; reading says "on" for 1 only, or for any nonzero byte when any_nonzero
// is set (as the record's users read that byte).
SettingEntry on_off(SettingId id, std::string key, Panel panel, Field field, bool any_nonzero) {
    SettingEntry e{id,    std::move(key), SettingKind::kOnOff, "on or off", {"on", "off"},
                   panel, {0, 1}};
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
        dpi_setting(stage), "dpi." + std::to_string(stage + 1),
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
    e.suggestions = range_words(kDpiEntryRange, {400, 800, 1600, 2400, 3200});
    e.stored = StoredField{"dpi_stage[" + std::to_string(stage) + "]", kDpiStoredRange,
                           [stage](const SettingsRecord& r) { return int(r.dpi_stage[stage]); }};
    e.encode = [stage](const SettingsRecord& r, std::span<std::uint8_t> own) {
        own[0] = r.dpi_stage[stage];
    };
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

std::string colour_text(const SettingsRecord& r, int stage) {
    const Rgb c = stage_rgb(r, stage);
    char buffer[8];
    std::snprintf(buffer, sizeof buffer, "#%02X%02X%02X", c.red, c.green, c.blue);
    return buffer;
}

SettingEntry colour(int stage) {
    SettingEntry e{colour_setting(stage),
                   "colour." + std::to_string(stage + 1),
                   SettingKind::kColour,
                   "#RRGGBB",
                   {"#FF0000", "#00FF00", "#0000FF", "#FFFFFF"},
                   &UiTexts::dpi_setting};
    e.encode = [stage](const SettingsRecord& r, std::span<std::uint8_t> own) {
        std::memcpy(own.data(), r.stage_colour[stage], 3);
    };
    e.read = [stage](const ProfileSettings& p) {
        return SettingValue{colour_text(p.record, stage), false};
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

// The mode and the level of that mode, as the mouse takes them: the mode, the level, and how
// the level is shown.
void encode_lighting(const SettingsRecord& r, std::span<std::uint8_t> own) {
    enum : std::size_t { kMode, kLevel, kShown };
    own[kMode] = r.light_mode;
    switch (r.light_mode) {
        case 1:
            if (r.light_param_1 == 1) {
                own[kMode] = 0;  // level 1 is "light off"
            } else {
                own[kLevel] = static_cast<std::uint8_t>(2 * r.light_param_1);
                own[kShown] = 3;
            }
            break;
        case 2:
            own[kLevel] = static_cast<std::uint8_t>(6 - r.light_param_2);
            own[kShown] = 3;
            break;
        case 3: own[kLevel] = static_cast<std::uint8_t>(3 * r.light_param_3); break;
        default: break;
    }
}

constexpr std::array<std::string_view, kLightModeCount> kLightModes = {"standard", "respiration",
                                                                       "neon"};

SettingEntry light_mode() {
    SettingEntry e{SettingId::kLightMode,
                   "light.mode",
                   SettingKind::kChoice,
                   "standard, respiration or neon",
                   {kLightModes.begin(), kLightModes.end()},
                   &UiTexts::lighting,
                   {1, kLightModeCount}};
    e.get = [](const SettingsRecord& r) { return int(r.light_mode); };
    e.stored = StoredField{"light_mode", {0, kLightModeCount}, e.get};  // 0: none chosen
    e.encode = encode_lighting;
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
        SettingId::kReportRate, "rate", "125, 250, 500 or 1000 (Hz)", &UiTexts::usb_report_rate,
        {report_rate_hz(kReportIntervals.back()), report_rate_hz(kReportIntervals.front())},
        [](const SettingsRecord& r) { return report_rate_hz(r.report_interval); },
        [](SettingsRecord& r, long long hz) {
            const auto interval = report_interval_of_rate(hz);
            if (!interval) return false;
            r.report_interval = *interval;
            return true;
        });
    e.suggestions.clear();
    for (const std::uint8_t interval : kReportIntervals)
        e.suggestions.push_back(std::to_string(report_rate_hz(interval)));
    return e;
}

SettingEntry language() {
    SettingEntry e{
        SettingId::kLanguage,   "language",
        SettingKind::kLanguage, "EN, CHS or CHT (the whole program's language: every profile's)",
        {"EN", "CHS", "CHT"},   &UiTexts::product_title};
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
    SettingEntry e{button_setting(b),       "button." + std::to_string(b + 1),
                   SettingKind::kButton,    "a function (listed below)",
                   button_function_words(), &UiTexts::button_assignment};
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

// A window text as a control's name.
std::function<std::string(Language)> named(std::string_view UiTexts::*text) {
    return [text](Language l) { return std::string(ui_texts(l).*text); };
}

// An access text of a numbered control ("Stage {n}").
std::function<std::string(Language)> numbered(std::string_view AccessTexts::*text, int n) {
    return [text, n](Language l) {
        return replace_all(std::string(access_texts(l).*text), "{n}", std::to_string(n));
    };
}

// The window's names of the settings, by where they are set.
void name_controls(std::vector<SettingEntry>& t) {
    auto at = [&t](SettingId id) -> SettingEntry& { return t[static_cast<std::size_t>(id)]; };
    for (int s = 0; s < 4; ++s) {
        at(dpi_setting(s)).accessible_name = numbered(&AccessTexts::stage, s + 1);
        at(colour_setting(s)).accessible_name = numbered(&AccessTexts::stage_colour, s + 1);
    }
    at(SettingId::kReportRate).accessible_name = named(&UiTexts::usb_report_rate);
    // The mode is picked by markers named as the modes, one beside each mode's level.
    at(SettingId::kLightMode).accessible_name = named(&UiTexts::light_standard);
    at(SettingId::kLightStandard).accessible_name = named(&UiTexts::light_standard);
    at(SettingId::kLightRespiration).accessible_name = named(&UiTexts::light_respiration);
    at(SettingId::kLightNeon).accessible_name = named(&UiTexts::light_neon);
    at(SettingId::kSensitivityX).accessible_name = named(&UiTexts::x_axis);
    at(SettingId::kSensitivityY).accessible_name = named(&UiTexts::y_axis);
    at(SettingId::kAngleSnap).accessible_name = named(&UiTexts::angle_snap);
    at(SettingId::kPointerSpeed).accessible_name = named(&UiTexts::mouse_speed);
    at(SettingId::kDoubleClick).accessible_name = named(&UiTexts::double_click_speed);
    at(SettingId::kScrollLines).accessible_name = named(&UiTexts::number_of_rows);
    at(SettingId::kScrollPage).accessible_name = named(&UiTexts::scroll_one_screen);
    for (int b = 0; b < kButtonCount; ++b) {
        at(button_setting(b)).accessible_name = [b](Language l) {
            return std::string(ui_texts(l).button_names[static_cast<std::size_t>(b)]);
        };
    }
    for (SettingEntry& e : t) {
        if (!e.accessible_name) e.accessible_name = [](Language) { return std::string(); };
    }
}

ReportField number_field(std::string name, int n) {
    return {std::move(name), ReportField::Kind::kNumber, std::to_string(n)};
}
ReportField flag_field(std::string name, bool on) {
    return {std::move(name), ReportField::Kind::kFlag, {}, {}, on};
}
ReportField text_field(std::string name, std::string text) {
    return {std::move(name), ReportField::Kind::kText, std::move(text)};
}

std::string lighting_text(const SettingsRecord& r) {
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

// The report's wording of each line, on the entry that words it; the other settings of a
// line name it.
void word_report(std::vector<SettingEntry>& t) {
    using Fields = std::vector<ReportField>;
    auto at = [&t](SettingId id) -> SettingEntry& { return t[static_cast<std::size_t>(id)]; };
    auto word = [&at](SettingId id, ReportLine line, std::string label, auto text, auto json,
                      int item = 0, std::string list = {}) {
        at(id).report = ReportPart{line, item, std::move(label), text, std::move(list), json};
    };
    auto join = [&at](SettingId id, SettingId worded_by) {
        at(id).report.line = at(worded_by).report.line;
        at(id).report.item = at(worded_by).report.item;
    };
    word(
        SettingId::kReportRate, ReportLine::kReportRate, "Report rate",
        [](const SettingsRecord& r) {
            return std::to_string(report_rate_hz(r.report_interval)) + " Hz (interval " +
                   std::to_string(r.report_interval) + " ms)";
        },
        [](const SettingsRecord& r) {
            return Fields{number_field("report_rate_hz", report_rate_hz(r.report_interval)),
                          number_field("report_interval_ms", r.report_interval)};
        });
    for (int s = 0; s < 4; ++s) {
        word(
            dpi_setting(s), ReportLine::kDpiStage, "DPI stage " + std::to_string(s + 1),
            [s](const SettingsRecord& r) {
                return std::to_string(dpi_of_stored(r.dpi_stage[s])) + " DPI, colour " +
                       colour_text(r, s);
            },
            [s](const SettingsRecord& r) {
                return Fields{number_field("dpi", dpi_of_stored(r.dpi_stage[s])),
                              text_field("colour", colour_text(r, s))};
            },
            s, "dpi_stages");
        join(colour_setting(s), dpi_setting(s));
    }
    word(SettingId::kLightMode, ReportLine::kLighting, "Lighting", lighting_text,
         [](const SettingsRecord& r) { return Fields{number_field("light_mode", r.light_mode)}; });
    // Each mode keeps its level: the ones not shown above come back with their mode.
    word(
        SettingId::kLightStandard, ReportLine::kLightLevels, "Light levels",
        [](const SettingsRecord& r) {
            return "standard " + std::to_string(r.light_param_1) + ", respiration " +
                   std::to_string(r.light_param_2) + ", neon " + std::to_string(r.light_param_3);
        },
        [](const SettingsRecord& r) {
            ReportField levels{"light_levels", ReportField::Kind::kNumbers};
            levels.numbers = {r.light_param_1, r.light_param_2, r.light_param_3};
            return Fields{levels, text_field("lighting", lighting_text(r))};
        });
    join(SettingId::kLightRespiration, SettingId::kLightStandard);
    join(SettingId::kLightNeon, SettingId::kLightStandard);
    word(
        SettingId::kSensitivityX, ReportLine::kSensitivity, "Sensitivity",
        [](const SettingsRecord& r) {
            return "X " + std::to_string(r.sensitivity_x) + ", Y " +
                   std::to_string(r.sensitivity_y);
        },
        [](const SettingsRecord& r) {
            return Fields{number_field("sensitivity_x", r.sensitivity_x),
                          number_field("sensitivity_y", r.sensitivity_y)};
        });
    join(SettingId::kSensitivityY, SettingId::kSensitivityX);
    word(
        SettingId::kAngleSnap, ReportLine::kAngleSnap, "Angle snap",
        [](const SettingsRecord& r) {
            return "level " + std::to_string(r.angle_snap_level) +
                   (r.angle_snap_level <= 1 ? " (off)" : "");
        },
        [](const SettingsRecord& r) {
            return Fields{number_field("angle_snap_level", r.angle_snap_level)};
        });
    // Levels as the gauges and 'get' show them; what the desktop is set to beside them.
    word(
        SettingId::kPointerSpeed, ReportLine::kPointer, "Pointer",
        [](const SettingsRecord& r) {
            return std::string("precision ") + (r.pointer_precision == 1 ? "on" : "off") +
                   ", speed level " + std::to_string(r.pointer_speed) + " (desktop speed " +
                   std::to_string(desktop_pointer_speed(r.pointer_speed)) + " of 20)";
        },
        [](const SettingsRecord& r) {
            return Fields{
                flag_field("pointer_precision", r.pointer_precision == 1),
                number_field("pointer_speed", r.pointer_speed),
                number_field("desktop_pointer_speed", desktop_pointer_speed(r.pointer_speed))};
        });
    join(SettingId::kPointerPrecision, SettingId::kPointerSpeed);
    word(
        SettingId::kScrollLines, ReportLine::kScrolling, "Scrolling",
        [](const SettingsRecord& r) {
            return r.scroll_by_page ? std::string("one screen at a time")
                                    : std::to_string(r.scroll_lines) + " lines";
        },
        [](const SettingsRecord& r) {
            return Fields{flag_field("scroll_by_page", r.scroll_by_page != 0),
                          number_field("scroll_lines", r.scroll_lines)};
        });
    join(SettingId::kScrollPage, SettingId::kScrollLines);
    word(
        SettingId::kDoubleClick, ReportLine::kDoubleClick, "Double-click",
        [](const SettingsRecord& r) {
            return "level " + std::to_string(r.double_click_level) + " (" +
                   std::to_string(double_click_ms(r.double_click_level)) + " ms)";
        },
        [](const SettingsRecord& r) {
            return Fields{number_field("double_click_level", r.double_click_level),
                          number_field("double_click_ms", double_click_ms(r.double_click_level))};
        });
    for (int b = 0; b < kButtonCount; ++b) {
        word(
            button_setting(b), ReportLine::kButton, "Button " + std::to_string(b + 1),
            [b](const SettingsRecord& r) {
                return describe_button(r, b) + "  [" + to_hex(encode_button_code(r, b)) + "]";
            },
            [b](const SettingsRecord& r) {
                const auto kind = static_cast<ButtonKind>(r.button_kind[b]);
                return Fields{number_field("button", b + 1), number_field("kind", kind),
                              text_field("kind_name", std::string(button_kind_keyword(kind))),
                              text_field("function", describe_button(r, b)),
                              text_field("code", to_hex(encode_button_code(r, b)))};
            },
            b, "buttons");
    }
}

// What the shipped profiles hold, in each setting's own unit.
void ship(std::vector<SettingEntry>& t) {
    auto at = [&t](SettingId id) -> std::optional<int>& {
        return t[static_cast<std::size_t>(id)].shipped;
    };
    for (int s = 0; s < 4; ++s) at(dpi_setting(s)) = 800 * (s + 1);
    at(SettingId::kReportRate) = 1000;
    at(SettingId::kLightMode) = 1;      // standard
    at(SettingId::kLightStandard) = 6;  // 100 %
    at(SettingId::kLightRespiration) = 3;
    at(SettingId::kLightNeon) = 3;
    at(SettingId::kSensitivityX) = 5;
    at(SettingId::kSensitivityY) = 5;
    at(SettingId::kAngleSnap) = 1;     // off
    at(SettingId::kPointerSpeed) = 6;  // the desktop's usual middle speed, 10 of 20
    at(SettingId::kPointerPrecision) = 1;
    at(SettingId::kDoubleClick) = 6;  // 550 ms
    at(SettingId::kScrollLines) = 3;
    at(SettingId::kScrollPage) = 0;
}

constexpr LevelRange kAnyByte{0, 255};

// The bytes a loaded profile may hold out of range, brought into it (StoredField::tolerated).
void tolerate(std::vector<SettingEntry>& t) {
    auto at = [&t](SettingId id, LevelRange tolerated) {
        t[static_cast<std::size_t>(id)].stored->tolerated = [tolerated](const SettingsRecord&) {
            return tolerated;
        };
    };
    at(SettingId::kPointerSpeed, kAnyByte);
    at(SettingId::kDoubleClick, kAnyByte);
    at(SettingId::kAngleSnap, {0, kAngleSnapRange.max});
    at(SettingId::kScrollLines, {0, kScrollLinesRange.max});
    // The level of a mode not in use: the mouse is sent the chosen mode's level only (for the
    // chosen mode nothing is tolerated: an empty range).
    for (int mode = 1; mode <= kLightModeCount; ++mode) {
        t[static_cast<std::size_t>(light_level_setting(mode))].stored->tolerated =
            [mode](const SettingsRecord& r) {
                return r.light_mode == mode ? LevelRange{1, 0} : kAnyByte;
            };
    }
}

std::vector<SettingEntry> build_catalogue() {
    std::vector<SettingEntry> t;
    t.reserve(kSettingCount);
    for (int s = 0; s < 4; ++s) t.push_back(dpi(s));
    for (int s = 0; s < 4; ++s) t.push_back(colour(s));
    t.push_back(report_rate());
    t.push_back(light_mode());
    t.push_back(level(SettingId::kLightStandard, "light.standard", &UiTexts::lighting,
                      &SettingsRecord::light_param_1, "light_param_1", kLightLevelRange,
                      " (1 turns the light off)"));
    t.push_back(level(SettingId::kLightRespiration, "light.respiration", &UiTexts::lighting,
                      &SettingsRecord::light_param_2, "light_param_2", kLightLevelRange));
    t.push_back(level(SettingId::kLightNeon, "light.neon", &UiTexts::lighting,
                      &SettingsRecord::light_param_3, "light_param_3", kLightLevelRange));
    t.push_back(level(SettingId::kSensitivityX, "sensitivity.x", &UiTexts::sensitivity_setting,
                      &SettingsRecord::sensitivity_x, "sensitivity_x", kSensitivityRange));
    t.push_back(level(SettingId::kSensitivityY, "sensitivity.y", &UiTexts::sensitivity_setting,
                      &SettingsRecord::sensitivity_y, "sensitivity_y", kSensitivityRange));
    for (const SettingId axis : {SettingId::kSensitivityX, SettingId::kSensitivityY}) {
        t[static_cast<std::size_t>(axis)].encode = [get = t[static_cast<std::size_t>(axis)].get](
                                                       const SettingsRecord& r,
                                                       std::span<std::uint8_t> own) {
            own[0] = static_cast<std::uint8_t>(get(r) * 20);
        };
    }
    t.push_back(level(SettingId::kAngleSnap, "angle-snap", &UiTexts::angle_snap,
                      &SettingsRecord::angle_snap_level, "angle_snap_level", kAngleSnapRange,
                      " (1 is off)"));
    t.back().encode = [](const SettingsRecord& r, std::span<std::uint8_t> own) {
        own[0] = angle_snap_code(r.angle_snap_level);
    };
    t.push_back(level(SettingId::kPointerSpeed, "pointer.speed", &UiTexts::mouse_speed,
                      &SettingsRecord::pointer_speed, "pointer_speed", kPointerSpeedRange,
                      " (the gauge's level)"));
    t.push_back(on_off(SettingId::kPointerPrecision, "pointer.precision", &UiTexts::mouse_speed,
                       &SettingsRecord::pointer_precision, false));
    t.push_back(level(SettingId::kDoubleClick, "double-click", &UiTexts::double_click_speed,
                      &SettingsRecord::double_click_level, "double_click_level", kDoubleClickRange,
                      " (the gauge's level)"));
    t.push_back(level(SettingId::kScrollLines, "scroll.lines", &UiTexts::scroll_speed,
                      &SettingsRecord::scroll_lines, "scroll_lines", kScrollLinesRange));
    t.push_back(on_off(SettingId::kScrollPage, "scroll.page", &UiTexts::scroll_speed,
                       &SettingsRecord::scroll_by_page, true));
    t.push_back(language());
    for (int b = 0; b < kButtonCount; ++b) t.push_back(button(b));
    name_controls(t);
    word_report(t);
    ship(t);
    tolerate(t);
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

const SettingEntry& setting(SettingId id) {
    // The table is built in id order; the catalogue test walks it to see that it is.
    return settings_catalogue()[static_cast<std::size_t>(id)];
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

int writing_rank(std::string_view key, std::string_view value) {
    const SettingEntry* entry = find_setting(key);
    if (entry == nullptr) return 2;
    if (entry->id == SettingId::kLanguage) return 0;
    return entry->kind == SettingKind::kButton && equal_ignoring_ascii_case(value, "click") ? 1 : 2;
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
