// A profile as text: random profiles out and back into a fresh folder come back byte for
// byte, and a file with a fault changes nothing and says where the fault is.

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <fstream>
#include <random>

#include "cli/ctl_fixture.h"
#include "core/flows/macro_sync.h"
#include "core/flows/profile_manager_model.h"
#include "core/flows/profile_text.h"
#include "core/macro/macro_manager_model.h"

namespace p330 {
namespace {

using TextTest = test::CtlTest;
constexpr auto npos = std::string::npos;

DataFolder fresh_folder(const test::TempDir& dir) {
    for (const auto& entry : std::filesystem::directory_iterator(P330_SHIPPED_DIR))
        std::filesystem::copy_file(entry.path(), dir.path() / entry.path().filename());
    return DataFolder{dir.path()};
}

class RandomProfile {
  public:
    explicit RandomProfile(unsigned seed) : random_(seed) {}

    // Macros added to and changed in record.ini, then every key of the catalogue set.
    void write_into(const DataFolder& folder) {
        IniDocument record = *IniDocument::load(folder.record_ini());
        const int added = pick(0, 9);
        for (int m = 0; m < added; ++m) write_macro(record, "M" + std::to_string(m) + text(0, 20));
        if (pick(0, 1)) write_macro(record, "Triple_Click");
        ASSERT_TRUE(record.save(folder.record_ini()));

        ProfileEdit edit = *load_profile_edit(folder, 0);
        (void)sync_macros_into_profile(edit, record);
        // The language first, as set takes it; the rest in any order, so Click may move.
        std::vector<const SettingEntry*> keys;
        for (const SettingEntry& e : settings_catalogue()) keys.push_back(&e);
        std::shuffle(keys.begin() + 1, keys.end(), random_);
        std::stable_partition(keys.begin(), keys.end(),
                              [](const auto* e) { return e->kind == SettingKind::kLanguage; });
        for (const SettingEntry* e : keys) (void)e->write(edit, value_for(*e, edit));
        ASSERT_TRUE(save_profile_edit(folder, edit));
        ProfileManagerModel list = *ProfileManagerModel::load(folder.main_ini());
        ASSERT_TRUE(list.rename(0, "P" + text(0, 12)));
        ASSERT_TRUE(list.save(Language::kEnglish));
    }

  private:
    int pick(int low, int high) { return std::uniform_int_distribution<int>(low, high)(random_); }
    template <typename T, std::size_t N>
    const T& one_of(const T (&list)[N]) {
        return list[pick(0, static_cast<int>(N) - 1)];
    }
    std::string one_word(std::string_view words) {  // of a list split at '|'
        std::vector<std::string_view> list;
        for (std::size_t at = 0; at <= words.size(); at = words.find('|', at) + 1) {
            list.push_back(words.substr(at, words.find('|', at) - at));
            if (words.find('|', at) == std::string_view::npos) break;
        }
        return std::string(
            list[static_cast<std::size_t>(pick(0, static_cast<int>(list.size()) - 1))]);
    }
    std::string text(int low, int high) {
        static const char* const kPieces[] = {"a", "Z", "_", "-", "=", "#", " ", "é", "宏", "7"};
        std::string out;
        for (int n = pick(low, high); n > 0; --n) out += one_of(kPieces);
        return out + "x";  // never ends with a blank
    }

    void write_macro(IniDocument& record, const std::string& name) {
        static const char* const kKeyNames[] = {"A", "Ctrl", "L-Button", "Enter", "F5", "Space"};
        std::vector<std::string> items;
        for (int n = pick(0, 40); n > 0; --n) {
            items.push_back(pick(0, 2) == 0
                                ? std::to_string(pick(1, 6553500)) + " ms"
                                : one_of(kKeyNames) + std::string(pick(0, 1) ? "   Dn" : "   Up"));
        }
        write_macro_section(record, name, pick(0, 1), std::to_string(pick(1, 65535)), items);
    }

    std::string value_for(const SettingEntry& e, const ProfileEdit& edit) {
        static const char* const kFunctions[] = {
            "click|menu|forward|back|double-click|off|scroll:up|dpi:loop|media:next-track",
            "hotkey:paste|windows:run|key:A|key:Num Enter|combo:Left Ctrl+C|combo:Right Alt+F5+Z"};
        static const char* const kModes[] = {"@count", "@toggle", "@hold"};
        static const char* const kLanguages[] = {"EN", "CHS", "CHT"};
        static const char* const kRates[] = {"125", "250", "500", "1000"};
        static const char* const kLightModes[] = {"standard", "respiration", "neon"};
        switch (e.kind) {
            case SettingKind::kNumber:
                return e.key == "rate" ? one_of(kRates)
                                       : std::to_string(pick(e.range.min, e.range.max));
            case SettingKind::kOnOff: return pick(0, 1) ? "on" : "off";
            case SettingKind::kChoice: return one_of(kLightModes);
            case SettingKind::kColour: {
                char colour[8];
                std::snprintf(colour, sizeof colour, "#%06X", pick(0, 0xFFFFFF));
                return colour;
            }
            case SettingKind::kLanguage: return one_of(kLanguages);
            case SettingKind::kButton:
                if (pick(0, 2) == 0 && !edit.macro_names.empty())
                    return "macro:" +
                           edit.macro_names[static_cast<std::size_t>(
                               pick(0, static_cast<int>(edit.macro_names.size()) - 1))] +
                           one_of(kModes);
                return one_word(one_of(kFunctions));
        }
        return {};
    }

    std::mt19937 random_;
};

std::string file(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string((std::istreambuf_iterator<char>(in)), {});
}

TEST(TextRoundTrip, RandomProfilesComeBackByteForByteInAFreshFolder) {
    // Every round writes a few dozen files, each synced to disk: in memory where there is a
    // memory-backed folder, so that hundreds of rounds take a second rather than a minute.
    const char* const tmpdir = std::getenv("TMPDIR");
    const std::string kept = tmpdir ? tmpdir : "";
    if (std::filesystem::is_directory("/dev/shm")) ::setenv("TMPDIR", "/dev/shm", 1);
    for (unsigned seed = 1; seed <= 300; ++seed) {
        SCOPED_TRACE("seed " + std::to_string(seed));
        test::TempDir source_dir, target_dir;
        const DataFolder source = fresh_folder(source_dir), target = fresh_folder(target_dir);
        RandomProfile(seed).write_into(source);

        const Result<std::string> text = export_profile_text(source, 0);
        ASSERT_TRUE(text) << text.error().message;
        Result<ProfileTextImport> import = prepare_profile_text_import(target, 0, *text, "t");
        ASSERT_TRUE(import) << import.error().message << "\n" << *text;
        ASSERT_TRUE(write_profile_text_import(target, *import));

        EXPECT_EQ(file(target.image(0)), file(source.image(0))) << *text;
        const Language language = import->edit.language;
        EXPECT_EQ(read_profile_ini(target.ini(0), language).labels,
                  read_profile_ini(source.ini(0), language).labels);
        EXPECT_EQ(export_profile_text(target, 0).value(), *text);
    }
    if (tmpdir)
        ::setenv("TMPDIR", kept.c_str(), 1);
    else
        ::unsetenv("TMPDIR");
}

// A file with one bad line anywhere changes nothing and names that line; the JSON of
// get --json is read as well.
TEST_F(TextTest, ABadLineChangesNothingAndGetJsonIsAccepted) {
    const std::string exported = ctl({"export-text"}).out;
    const std::string before = profile_files();
    auto refusal = [&](std::string text, const std::string& from, const std::string& to) {
        text.replace(text.find(from), from.size(), to);
        write("bad.txt", text);
        const test::ProgramRun run = ctl({"import-text", (data() / "bad.txt").string()});
        EXPECT_EQ(run.exit_code, 2);
        EXPECT_EQ(profile_files(), before);
        return run.err;
    };
    // Faults are named by the line of the file: found in the export, which lists the settings.
    const auto at = [&exported](const std::string& text, int below = 0) {
        const auto lines =
            std::count(exported.begin(), exported.begin() + exported.find(text), '\n');
        return "bad.txt:" + std::to_string(lines + 1 + below) + ": ";
    };
    const std::string button_3 = at("scroll:middle");
    EXPECT_NE(refusal(exported, "scroll:middle", "scroll:sideways").find(button_3 + "button.3"),
              std::string::npos);
    // A line put in before the first macro.
    EXPECT_NE(refusal(exported, "\n\n[macro", "\nbogus = 1\n\n[macro")
                  .find(at("\n\n[macro", 1) + "unknown key 'bogus'"),
              std::string::npos);
    // A key given twice would lose one of its values.
    EXPECT_NE(refusal(exported, "\n\n[macro", "\ndpi.2 = 450\n\n[macro")
                  .find(at("\n\n[macro", 1) + "dpi.2 is already given on line"),
              npos);
    EXPECT_NE(refusal(exported, "loop = 3", "loop = 0").find(at("loop = 3") + "loop takes"),
              std::string::npos);
    // Two sections of one macro name, written in another case, would leave one of them lost.
    EXPECT_NE(refusal(exported + "[macro Fire]\nitem = A   Dn\n[macro fire]\nitem = B   Dn\n",
                      "[macro fire]", "[macro fire]")
                  .find("macro 'Fire' is already given on line"),
              npos);
    // One item past the most a macro holds would be cut off by every later reader.
    std::string big = "[macro Big]\n";
    for (int i = 0; i <= 4096; ++i) big += i % 2 ? "item = A   Up\n" : "item = A   Dn\n";
    EXPECT_NE(refusal(exported + big, "[macro Big]", "[macro Big]")
                  .find("a macro holds at most 4096 items"),
              npos);
    // A value is shown as the file holds it, control characters written out; a byte that is
    // not UTF-8 is named with its line.
    const std::string shown =
        refusal(exported, "= scroll:middle", std::string("= key:\0\x1B[2J", 11));
    EXPECT_NE(shown.find(button_3 + "button.3: '\\x00\\x1B[2J' is not a key name"), npos) << shown;
    std::string latin = exported;
    write("bad.txt", latin.replace(latin.find("scroll:middle"), 6, "scr\xF6ll"));
    const test::ProgramRun not_utf8 = ctl({"import-text", (data() / "bad.txt").string()});
    EXPECT_EQ(not_utf8.exit_code, 4);
    EXPECT_NE(not_utf8.err.find(button_3 + "the line is not UTF-8 text (byte \\xF6 at column 15)"),
              npos)
        << not_utf8.err;

    std::string json = ctl({"get", "--json"}).out;
    // A later schema is not read as this one; a fault on a long line quotes a screenful of it.
    const auto json_refusal = [&](const std::string& from, const std::string& to) {
        std::string text = json;
        write("bad.json", text.replace(text.find(from), from.size(), to));
        const test::ProgramRun run = ctl({"import-text", (data() / "bad.json").string()});
        EXPECT_EQ(run.exit_code, 2);
        EXPECT_TRUE(profile_files() == before);
        return run.err;
    };
    EXPECT_NE(json_refusal("\"schema\":1", "\"schema\":2").find("schema 2 is not one"), npos);
    EXPECT_LT(json_refusal("\"settings\"", "\"" + std::string(200000, 'k') + "\"").size(), 400U);
    // Another program's JSON is not a profile: refused, not taken as an empty change.
    EXPECT_NE(refusal(json, "\"settings\"", "\"macros\"").find("unknown member \"macros\""),
              std::string::npos);
    json.replace(json.find("\"dpi.2\":1600"), 12, "\"dpi.2\":450");
    write("p.json", json);
    ASSERT_EQ(ctl({"import-text", (data() / "p.json").string()}).exit_code, 0);
    EXPECT_EQ(ctl({"get", "dpi.2"}).out, "450\n");

    // import-items reads its text as import-text does: a UTF-8 mark is no item, a byte that is
    // not UTF-8 is named with its line.
    const std::string items = (data() / "items.txt").string();
    write("items.txt",
          "\xEF\xBB\xBF"
          "A   Dn\nA   Up\n");
    EXPECT_EQ(ctl({"macro", "import-items", "Type_GG", items}).exit_code, 0);
    write("items.txt", "A   Dn\nB\xF6   Up\n");
    const test::ProgramRun bad_items = ctl({"macro", "import-items", "Type_GG", items});
    EXPECT_EQ(bad_items.exit_code, 4);
    EXPECT_NE(bad_items.err.find("items.txt:2: the line is not UTF-8"), npos) << bad_items.err;
    // An editor's byte-order mark before the first line is not part of it, nor a Windows
    // editor's carriage return part of a line.
    std::string windows = exported;
    for (std::size_t end = 0; (end = windows.find('\n', end)) != npos; end += 2)
        windows.insert(end, "\r");
    write("bom.txt", "\xEF\xBB\xBF" + windows);
    const test::ProgramRun bom = ctl({"import-text", (data() / "bom.txt").string()});
    EXPECT_EQ(bom.exit_code, 0) << bom.err;
    EXPECT_EQ(ctl({"get", "dpi.2"}).out, "1600\n");
}

// Imports keep the current profile and match macro names as record.ini's sections do; any
// profile written with a macro button carries the macro's block.
TEST_F(TextTest, ImportsKeepTheCurrentProfileAndWritesCarryTheMacroBlocks) {
    const std::string list = read("str.ini"), exported = ctl({"export-text"}).out;
    std::string renamed = exported;
    write("n3.txt", renamed.replace(renamed.find("PROFILE_0"), 9, "PROFILE_3"));
    write("e.txt", exported);
    EXPECT_NE(ctl({"import-text", (data() / "n3.txt").string()}).out.find("already named"), npos);
    ctl({"import-text", "--profile", "3", (data() / "e.txt").string()});
    EXPECT_EQ(read("str.ini"), list);

    write("m.txt",
          "[profile]\nbutton.4 = macro:type_gg\n[macro type_gg]\nitem = G   Dn\n"
          "[macro M]\nitem = H   Dn\n");
    ASSERT_EQ(ctl({"import-text", (data() / "m.txt").string()}).exit_code, 0);
    ASSERT_EQ(ctl({"set", "--profile", "2", "button.4=macro:M"}).exit_code, 0);
    EXPECT_EQ(record_hex("config2.bin", 0x25C, 128), record_hex("config0.bin", 0x25C, 128));
    // A macro past its block's 63 pairs is stored cut, and the import says so.
    std::string cut = "[macro Long]\nrecord-delays = on\n";
    for (int k = 0; k < 40; ++k) cut += "item = A   Dn\nitem = A   Up\n";
    write("l.txt", cut);
    EXPECT_NE(ctl({"import-text", (data() / "l.txt").string()})
                  .out.find("l.txt:1: macro 'Long' is stored CUT to the 63 event pairs of its "
                            "block: its last 17 of 80 key events were dropped"),
              npos);
    // A name may hold '@'; without a repeat mode a macro gets the window's first, count.
    ASSERT_EQ(ctl({"macro", "new", "a@b"}).exit_code, 0);
    ASSERT_EQ(ctl({"set", "button.6=macro:a@b"}).exit_code, 0);
    EXPECT_EQ(ctl({"get", "button.6"}).out, "macro:a@b@count\n");
    std::string past = "[profile]\nbutton.4 = macro:Z8\n";
    for (int m = 0; m < 9; ++m) past += "[macro z" + std::to_string(m) + "]\nitem = G   Dn\n";
    write("p.txt", past);
    EXPECT_NE(ctl({"import-text", (data() / "p.txt").string()}).err.find("section is at"), npos);
    // Six macros so far: six more fill the mouse's twelve, a seventh would be one it never
    // plays, and the text is refused whole.
    const std::string macros = read("record.ini");
    std::string more;
    for (int m = 0; m < 7; ++m) more += "[macro n" + std::to_string(m) + "]\nitem = G   Dn\n";
    write("n.txt", more);
    const test::ProgramRun thirteen = ctl({"import-text", (data() / "n.txt").string()});
    EXPECT_EQ(thirteen.exit_code, 2);
    EXPECT_NE(thirteen.err.find("macro 'n6' would be past the twelfth"), npos) << thirteen.err;
    EXPECT_EQ(thirteen.err.find("'n5'"), npos) << thirteen.err;
    EXPECT_EQ(read("record.ini"), macros);
}

}  // namespace
}  // namespace p330
