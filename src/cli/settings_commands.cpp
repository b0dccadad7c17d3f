// get, set and reset: the settings of one profile of the data folder.

#include <algorithm>

#include "cli/command_handlers.h"
#include "cli/device_session.h"
#include "cli/json_writer.h"
#include "cli/profile_edit.h"
#include "cli/profile_report.h"
#include "core/flows/settings_controller.h"
#include "core/formats/settings_text.h"
#include "core/settings/settings_catalogue.h"
#include "core/util/quoted_value.h"

namespace p330::cli {
namespace {

std::string value_json(const SettingValue& v) {
    return v.number ? v.text : json_string(v.text);
}

std::string profile_title(const ProfileEdit& e) {
    return "Profile " + std::to_string(e.index) +
           (e.name.empty() ? std::string() : " (" + printable(e.name) + ")");
}

std::string labels_json(const ProfileEdit& e) {
    JsonList labels('[');
    for (const std::string& label : e.labels) labels.item(json_string(label));
    return labels.str();
}

}  // namespace

int cmd_get(const Context& c) {
    // The profile's name, as export-text writes it, is read here: it lives in the profile
    // list, not in the profile's files, so 'set' does not take it (profile rename does).
    for (const std::string& key : c.options.arguments) {
        if (find_setting(key) == nullptr && key != kProfileNameKey)
            return fail(c, kExitUsage, "unknown key '" + key + "' (see 'p330ctl help get')");
    }
    ProfileEdit e;
    if (int code = load_profile_edit(c, e); code != kExitOk) return code;
    const bool all = c.options.arguments.empty();
    std::vector<std::string> keys = c.options.arguments;
    if (all) {
        for (const SettingEntry& entry : settings_catalogue()) keys.push_back(entry.key);
    }

    JsonList settings('{');
    std::string lines;
    for (const std::string& key : keys) {
        Result<SettingValue> value = key == kProfileNameKey
                                         ? Result<SettingValue>(SettingValue{e.name, false})
                                         : read_setting(e, key);
        if (!value) return fail(c, kExitUsage, value.error().message);
        settings.field(key, value_json(*value));
        lines += (keys.size() == 1 ? "" : key + "=") + printable(value->text) + "\n";
    }
    if (c.options.json) {
        JsonList doc = json_document();
        doc.field("profile", json_number(e.index)).field("name", json_string(e.name));
        if (all) {
            doc.field("language", json_string(language_code(e.language)))
                .field("labels", labels_json(e))
                .fields_of(profile_json(e.record, e.first_run_flag));
        }
        std::fprintf(c.out, "%s\n", doc.field("settings", settings.str()).str().c_str());
        return kExitOk;
    }
    if (!all) {
        std::fputs(lines.c_str(), c.out);
        return kExitOk;
    }
    std::string out = profile_title(e) + "\n" + profile_text(e.record, e.first_run_flag);
    out += "Language          " + std::string(language_code(e.language)) + "\n";
    for (int b = 0; b < kButtonCount; ++b) {
        out += "Label " + std::to_string(b + 1) + "           " +
               printable(e.labels[static_cast<std::size_t>(b)]) + "\n";
    }
    std::fputs(out.c_str(), c.out);
    return kExitOk;
}

int cmd_set(const Context& c) {
    struct Change {
        std::string key, value;
    };
    std::vector<Change> changes;
    for (const std::string& arg : c.options.arguments) {
        const auto equals = arg.find('=');
        if (equals == std::string::npos || equals == 0)
            return fail(c, kExitUsage, "'" + arg + "' is not KEY=VALUE");
        changes.push_back({arg.substr(0, equals), arg.substr(equals + 1)});
    }
    std::vector<std::size_t> in_order(changes.size());
    for (std::size_t i = 0; i < changes.size(); ++i) in_order[i] = i;
    std::stable_sort(in_order.begin(), in_order.end(), [&](std::size_t a, std::size_t b) {
        return writing_rank(changes[a].key, changes[a].value) <
               writing_rank(changes[b].key, changes[b].value);
    });
    ProfileEdit e;
    if (int code = load_profile_edit(c, e); code != kExitOk) return code;
    std::vector<std::string> notes(changes.size());
    for (const std::size_t i : in_order) {
        Result<std::string> note = write_setting(e, changes[i].key, changes[i].value);
        if (!note) return fail(c, kExitUsage, note.error().message);
        notes[i] = *note;
    }
    if (int code = save_profile_edit(c, e); code != kExitOk) return code;

    JsonList doc = json_document();
    JsonList changed('{');
    std::string text = profile_title(e) + ":\n";
    for (std::size_t i = 0; i < changes.size(); ++i) {
        const SettingValue now = *read_setting(e, changes[i].key);
        changed.field(changes[i].key, value_json(now));
        text += "  " + changes[i].key + "=" + printable(now.text) +
                (notes[i].empty() ? "" : "  (" + notes[i] + ")") + "\n";
    }
    doc.field("profile", json_number(e.index)).field("changed", changed.str());
    const int code = apply_if_asked(c, e.record, c.folder.image(e.index).string(), doc, text);
    std::fprintf(c.out, "%s", c.options.json ? (doc.str() + "\n").c_str() : text.c_str());
    return code;
}

int cmd_reset(const Context& c) {
    SettingsController controller(c.folder, nullptr, nullptr);
    (void)controller.start();
    const int index = c.options.profile ? *c.options.profile : controller.profile().index;
    controller.select_profile(index);
    std::error_code ec;
    if (!std::filesystem::exists(c.folder.image(index), ec))
        return fail(c, kExitBadInput,
                    std::string(kConfigMissingText) + " (" + c.folder.image(index).string() + ")");
    // The reset keeps the record as it is when the defaults cannot be read: say so instead.
    if (Result<ProfileImage> defaults = read_profile_image(c.folder.default_image()); !defaults)
        return fail(c, kExitBadInput,
                    "the shipped defaults cannot be read: " + defaults.error().message);
    (void)controller.reset();
    ProfileEdit e;
    e.index = index;
    e.record = controller.record();
    // The defaults' labels in the language of the profile being reset, which need not be
    // the active profile's (whose language the controller speaks).
    e.language =
        language_from_code(read_profile_ini(c.folder.ini(index), Language::kEnglish).language_code);
    e.labels = read_profile_ini(c.folder.default_ini(), e.language).labels;
    e.labels_changed = true;
    if (int code = save_profile_edit(c, e); code != kExitOk) return code;

    JsonList doc = json_document();
    doc.field("profile", json_number(index)).field("reset", "true");
    std::string text = "Profile " + std::to_string(index) + " holds the shipped defaults.\n";
    const int code = apply_if_asked(c, e.record, c.folder.image(e.index).string(), doc, text);
    std::fprintf(c.out, "%s", c.options.json ? (doc.str() + "\n").c_str() : text.c_str());
    return code;
}

}  // namespace p330::cli
