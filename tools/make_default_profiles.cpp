// Writes the shipped defaults (share/p330/defaults of the build tree): the default profile
// images config.bin and config0.bin .. config5.bin, the INIs str.ini and str0.ini .. str5.ini,
// and record.ini with a few example macros. Everything the files hold is spelled out here, but
// the settings with a level: their catalogue entries say what a shipped profile holds.
//
// usage: make_default_profiles OUTPUT_DIR

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>

#include "core/buttons/button_code.h"
#include "core/buttons/function_catalogue.h"
#include "core/flows/profile_files.h"
#include "core/formats/ini_document.h"
#include "core/macro/macro_encoding.h"
#include "core/settings/settings_catalogue.h"
#include "core/util/file_io.h"

namespace fs = std::filesystem;
using namespace p330;

namespace {

constexpr const char* kSkinName = "Graphite";
constexpr int kTextRed = 232, kTextGreen = 236, kTextBlue = 242;

// Three example macros, in the item texts the macro manager shows.
constexpr const char* kRecordIni = R"([Select_All_Copy]
DelayTimeSelStatus=1
MacroLoopTimes=1
ItemCount=11
Item0=Ctrl   Dn
Item1=30 ms
Item2=A   Dn
Item3=30 ms
Item4=A   Up
Item5=30 ms
Item6=C   Dn
Item7=30 ms
Item8=C   Up
Item9=30 ms
Item10=Ctrl   Up
[Triple_Click]
DelayTimeSelStatus=1
MacroLoopTimes=3
ItemCount=4
Item0=L-Button   Dn
Item1=40 ms
Item2=L-Button   Up
Item3=60 ms
[Type_GG]
DelayTimeSelStatus=0
MacroLoopTimes=1
ItemCount=8
Item0=Shift   Dn
Item1=G   Dn
Item2=G   Up
Item3=G   Dn
Item4=G   Up
Item5=Shift   Up
Item6=Enter   Dn
Item7=Enter   Up
)";

SettingsRecord default_record(const IniDocument& macros) {
    SettingsRecord r{};
    // Every setting with a level at what its catalogue entry ships.
    for (const SettingEntry& e : settings_catalogue()) {
        if (!e.set) continue;
        if (!e.shipped || !e.set(r, *e.shipped)) {
            std::fprintf(stderr, "make_default_profiles: no shipped value of %s that it takes\n",
                         e.key.c_str());
            std::exit(1);
        }
    }
    // Stage colours, red, blue, green: red, green, blue, amber.
    const std::uint8_t colours[4][3] = {{255, 0, 0}, {0, 0, 255}, {0, 255, 0}, {255, 0, 160}};
    std::copy(&colours[0][0], &colours[0][0] + 12, &r.stage_colour[0][0]);
    const std::uint8_t extra[2][3] = {{255, 255, 255}, {255, 255, 255}};
    std::copy(&extra[0][0], &extra[0][0] + 6, &r.stage_colour_extra[0][0]);
    // Click, Menu, wheel click, wheel up, wheel down, DPI loop, forward, back.
    const std::uint8_t kinds[kButtonCount] = {
        kKindClick,        kKindMenu,     kKindScrollSelect, kKindScrollSelect,
        kKindScrollSelect, kKindCpiCycle, kKindIeForward,    kKindIeBackward};
    std::copy(kinds, kinds + kButtonCount, r.button_kind);
    r.button_mouse[2] = 1;
    r.button_mouse[3] = 2;
    r.button_mouse[4] = 3;
    r.button_dpi[5] = 3;
    const EncodedMacros encoded = encode_macro_blocks(macros);
    for (int n = 0; n < kMacroCount; ++n) {
        std::copy(encoded.blocks[n].begin(), encoded.blocks[n].end(), r.macro_block[n]);
    }
    return r;
}

void add_profile_keys(IniDocument& ini) {
    for (Language language :
         {Language::kEnglish, Language::kSimplifiedChinese, Language::kTraditionalChinese}) {
        const auto labels = first_run_labels(language);
        for (int i = 0; i < kButtonCount; ++i) {
            ini.set(label_section(language), "Item" + std::to_string(i + 1), labels[i]);
        }
    }
    ini.set("Skins", "Lan", "EN");
    ini.set("Skins", "Path", kSkinName);
    ini.set("Skins", "RColor", std::to_string(kTextRed));
    ini.set("Skins", "GColor", std::to_string(kTextGreen));
    ini.set("Skins", "BColor", std::to_string(kTextBlue));
}

bool check(const Status& status) {
    if (!status) std::fprintf(stderr, "make_default_profiles: %s\n", status.message().c_str());
    return status.is_ok();
}

// The shipped images carry first-run flag 0: the program has not written them yet.
bool write_image(const fs::path& path, const SettingsRecord& record) {
    std::vector<std::uint8_t> bytes(kProfileImageSize, 0);
    const auto payload = record_bytes(record);
    std::copy(payload.begin(), payload.end(), bytes.begin() + 1);
    return check(write_file_atomically(path, bytes));
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: make_default_profiles OUTPUT_DIR\n");
        return 2;
    }
    const DataFolder out{argv[1]};
    std::error_code ec;
    fs::create_directories(out.dir, ec);

    Result<IniDocument> macros = IniDocument::parse(kRecordIni);
    if (!macros) return check(macros.status()) ? 0 : 1;
    const SettingsRecord record = default_record(*macros);

    bool ok = check(write_file_atomically(out.record_ini(), std::string_view(kRecordIni)));
    ok = write_image(out.default_image(), record) && ok;

    IniDocument main_ini;
    main_ini.set("Profile", "CurProfileName", "PROFILE_0");
    main_ini.set("Profile", "ItemCount", std::to_string(kMaxProfiles));
    for (int i = 0; i < kMaxProfiles; ++i) {
        main_ini.set("Profile", "Item" + std::to_string(i), "PROFILE_" + std::to_string(i));
    }
    add_profile_keys(main_ini);
    ok = check(main_ini.save(out.main_ini())) && ok;

    for (int i = 0; i < kMaxProfiles; ++i) {
        ok = write_image(out.image(i), record) && ok;
        IniDocument profile_ini;
        add_profile_keys(profile_ini);
        ok = check(profile_ini.save(out.ini(i))) && ok;
    }
    return ok ? 0 : 1;
}
