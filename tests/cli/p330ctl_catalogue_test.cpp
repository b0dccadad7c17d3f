// Every setting of the catalogue, found by walking it, reaches every place a user meets it:
// set and get, the report of get and show, get --json, export-text and import-text, the
// completion of bash, zsh and fish, 'help set' and the manual page. A setting added to the
// catalogue is checked here without naming it again.
#include <fstream>
#include <set>
#include <sstream>

#include "cli/ctl_fixture.h"
#include "core/settings/settings_catalogue.h"

namespace p330 {
namespace {

std::set<std::string> lines_of(const std::string& text) {
    std::set<std::string> lines;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);) lines.insert(line);
    return lines;
}

class CatalogueTest : public test::CtlTest {
  protected:
    // A value the catalogue offers for the entry that set takes and get reads back as given,
    // other than the profile's own; empty when none is.
    std::string changed_value(const SettingEntry& entry) {
        const std::string now = ctl({"get", entry.key}).out;
        for (const std::string& value : entry.suggestions) {
            if (value.ends_with(':') || value + "\n" == now) continue;
            if (ctl({"set", entry.key + "=" + value}).exit_code != 0) continue;
            if (ctl({"get", entry.key}).out == value + "\n") return value;
        }
        return {};
    }

    // fish keeps its history and variables in the home: a private one, not the user's.
    test::ProgramRun run_shell(const std::string& shell, const std::string& script) {
        const std::string home = (dir.path() / "home").string();
        return test::run_program("/usr/bin/env",
                                 {"HOME=" + home, "XDG_CONFIG_HOME=" + home + "/.config",
                                  "XDG_DATA_HOME=" + home + "/.local/share", shell, "-c", script});
    }

    // What a shell's completion offers after `line` (the program is this build's p330ctl).
    std::set<std::string> completed(const std::string& shell, const std::string& line) {
        const std::string source = P330_SOURCE_DIR;
        const std::string program = P330CTL_PATH;
        std::string script;
        if (shell == "bash") {
            script = "source " + source +
                     "/data/p330ctl.bash-completion\n"
                     "COMP_LINE='" +
                     program + " " + line +
                     "'; COMP_POINT=${#COMP_LINE}\n"
                     "_p330ctl; printf '%s\\n' \"${COMPREPLY[@]}\"\n";
        } else if (shell == "zsh") {
            // compadd as the completion system would take the words, printed one a line.
            script =
                "compadd() { local a=0; while (($#)); do case $1 in -a) a=1;; -S|-P) shift;;"
                " --) ;; *) if ((a)); then print -rl -- \"${(@P)1}\"; else print -r -- \"$1\";"
                " fi;; esac; shift; done }\n"
                "compset() { : }; _files() { : }\n"
                "words=(" +
                program + " " + line + "); [[ '" + line +
                "' == *' ' ]] && "
                "words+=(''); CURRENT=${#words}\n"
                "source " +
                source + "/data/_p330ctl\n";
        } else {
            const std::string bin = std::filesystem::path(program).parent_path().string();
            script = "set PATH " + bin + " $PATH; source " + source + "/data/p330ctl.fish; " +
                     "complete -C 'p330ctl " + line + "'";
        }
        const test::ProgramRun run = run_shell(shell, script);
        EXPECT_EQ(run.exit_code, 0) << shell << ": " << run.err;
        std::set<std::string> words;
        for (std::string word : lines_of(run.out)) {
            word = word.substr(0, word.find('\t'));  // fish: the description after a tab
            words.insert(word);
        }
        return words;
    }
};

TEST_F(CatalogueTest, EverySettingReachesGetSetJsonTextsAndCompletion) {
    // Click on the last button too, so that the first can leave it (one always stays on Click)
    // and the walk can move it along.
    ASSERT_EQ(ctl({"set", "button.8=click"}).exit_code, 0);
    const std::string help = ctl({"help", "set"}).out;
    // The manual page as the build writes it, where it is installed beside p330ctl.
    std::ifstream man_file(std::filesystem::path(P330CTL_PATH).parent_path().parent_path() /
                           "share/man/man1/p330ctl.1");
    const std::string man((std::istreambuf_iterator<char>(man_file)), {});
    ASSERT_NE(man.find(".SH KEYS"), std::string::npos);
    std::vector<std::pair<const SettingEntry*, std::string>> changed;
    for (const SettingEntry& entry : settings_catalogue()) {
        EXPECT_NE(help.find("  " + entry.key + " "), std::string::npos) << entry.key;
        std::string escaped;  // the manual page writes '-' as '\-'
        for (char ch : entry.key) escaped += ch == '-' ? std::string("\\-") : std::string(1, ch);
        // "dpi.1 ... dpi.4" names the numbered keys by their first and last.
        const std::size_t dot = escaped.find('.');
        const std::string stem = dot == std::string::npos ? escaped : escaped.substr(0, dot + 1);
        EXPECT_NE(man.find(stem), std::string::npos) << entry.key;
        const std::string report = ctl({"get"}).out;  // the lines 'show' prints for an image
        const std::string value = changed_value(entry);
        ASSERT_FALSE(value.empty()) << entry.key << ": no value of its suggestions is taken";
        changed.emplace_back(&entry, value);
        EXPECT_NE(ctl({"get"}).out, report) << entry.key << " is not in the report";
        EXPECT_NE(ctl({"--json", "get", entry.key}).out.find("\"" + entry.key + "\":"),
                  std::string::npos)
            << entry.key;
        EXPECT_TRUE(lines_of(ctl({"complete", "keys"}).out).contains(entry.key)) << entry.key;
    }
    const std::string all_json = ctl({"--json", "get"}).out;
    const std::set<std::string> exported = lines_of(ctl({"export-text"}).out);
    for (const auto& [entry, value] : changed) {
        EXPECT_NE(all_json.find("\"" + entry->key + "\":"), std::string::npos) << entry->key;
        EXPECT_TRUE(exported.contains(entry->key + " = " + value)) << entry->key;
    }

    // The text read back into another profile holds every value.
    write("exported.txt", ctl({"export-text"}).out);
    ASSERT_EQ(ctl({"--profile", "4", "import-text", (data() / "exported.txt").string()}).exit_code,
              0);
    for (const auto& [entry, value] : changed)
        EXPECT_EQ(ctl({"--profile", "4", "get", entry->key}).out, value + "\n") << entry->key;

    // The shells offer every key and the value set took.
    for (const std::string shell : {"bash", "zsh", "fish"}) {
        if (run_shell(shell, "true").exit_code != 0) {
            ADD_FAILURE() << shell << " is not installed (scripts/setup-debian.sh installs it)";
            continue;
        }
        const std::set<std::string> keys = completed(shell, "get ");
        for (const auto& [entry, value] : changed) {
            EXPECT_TRUE(keys.contains(entry->key)) << shell << ": " << entry->key;
            const std::set<std::string> values = completed(shell, "set " + entry->key + "=");
            const std::string expected = shell == "fish" ? entry->key + "=" + value : value;
            EXPECT_TRUE(values.contains(expected)) << shell << ": " << entry->key << "=" << value;
        }
    }
}

// set and import-text write a change's settings in one order, the catalogue's: moving Click
// from one button to another in one change is taken by both.
TEST_F(CatalogueTest, OneChangeMovesClickWhateverTheOrderGiven) {
    ASSERT_EQ(ctl({"set", "button.2=menu", "button.3=menu"}).exit_code, 0);
    ASSERT_EQ(ctl({"get", "button.1"}).out, "click\n");  // the only Click left
    const test::ProgramRun moved = ctl({"set", "button.1=menu", "button.2=click"});
    EXPECT_EQ(moved.exit_code, 0) << moved.err;
    EXPECT_EQ(ctl({"get", "button.1"}).out, "menu\n");
    EXPECT_EQ(ctl({"get", "button.2"}).out, "click\n");

    write("move.txt", "[profile]\nbutton.2 = menu\nbutton.1 = click\n");
    const test::ProgramRun imported = ctl({"import-text", (data() / "move.txt").string()});
    EXPECT_EQ(imported.exit_code, 0) << imported.err;
    EXPECT_EQ(ctl({"get", "button.1"}).out, "click\n");
    EXPECT_EQ(ctl({"get", "button.2"}).out, "menu\n");
}

}  // namespace
}  // namespace p330
