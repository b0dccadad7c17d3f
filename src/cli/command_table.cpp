#include "cli/command_table.h"

#include <string>

#include "cli/command_handlers.h"
#include "cli/json_writer.h"
#include "core/buttons/key_tables.h"
#include "core/settings/settings_catalogue.h"

namespace p330::cli {
namespace {

constexpr std::string_view kButtonFunctions = R"(A button takes a function:
      click, menu, forward, back, double-click, off
      scroll:middle|up|down
      dpi:up|down|loop
      media:media-player|next-track|pre-track|stop|play/pause|mute|volume-up|
            volume-down
      hotkey:new|cut|copy|paste|save|print|find|redo|undo|select-all
      windows:my-computer|browser-home|search|maximum|minimum|show-desktop|run
      key:NAME                    a key of the key table: key:A, key:Num Enter
                                  ('p330ctl help keys' lists them; words
                                  and names are taken in any case)
      combo:[MODIFIER+]KEY[+KEY]  combo:Left Ctrl+C; modifiers: Left Ctrl,
                                  Left Shift, Left Alt, Left Win, Right Ctrl,
                                  Right Shift, Right Alt, Right Win
      macro:NAME[@count|@toggle|@hold]
                                  a macro of record.ini by name (or #N) with its
                                  repeat mode 0, 1 or 2; without one, @count, as
                                  the window's Macro Key dialog starts (a name
                                  holding '@' is found whole: macro:a@b)
)";

const CommandEntry kCommands[] = {
    {"devices", "devices", "list the mouse's hidraw nodes and whether they can be opened",
     "Lists the hidraw nodes of every P330 that is plugged in, their HID collections\n"
     "and whether this user may open them. With --device sim, the simulated mouse.\n",
     0, 0, "", 0, cmd_devices},
    {"status", "status", "whether the mouse is connected, its profile slot and DPI stages",
     "Asks the mouse for its current profile slot and the parameter block of that\n"
     "slot, and prints the DPI of its four stages. The mouse tells its current stage\n"
     "only when it changes (see 'watch'), so the stage in use is not shown.\n",
     0, 0, "", 0, cmd_status},
    {"apply", "apply [--profile N] [--pointer] [FILE.bin]",
     "send a profile to the mouse (default: the active one)",
     "Sends a whole profile to the mouse: the active profile of the data folder,\n"
     "profile N with --profile, or a profile image FILE.bin. Writes nothing on disk.\n"
     "--pointer also applies the profile's desktop pointer settings. With --json,\n"
     "the transfer tally.\n",
     0, 1, "", kTakesProfile | kTakesPointer | kUsesDataFolder | kOnlyReads, cmd_apply},
    {"show", "show FILE.bin", "decode a profile image into readable settings",
     "Prints what a profile image holds, field by field; 'get' prints the same\n"
     "fields for a profile of the data folder.\n",
     1, 1, "a profile image", 0, cmd_show},
    {"get", "get [--profile N] [KEY...]", "read settings of a profile (the active one)",
     "Without keys, prints every setting of the profile as 'show' does, with the\n"
     "button labels and the language. With one key, prints its value; with several,\n"
     "KEY=VALUE lines. The values are written as 'set' takes them. The key 'name'\n"
     "prints the profile's name in the list ('profile rename' changes it).\n",
     0, -1, "", kTakesProfile | kUsesDataFolder | kOnlyReads, cmd_get},
    {"set", "set [--profile N] [--apply [--pointer]] KEY=VALUE...",
     "change settings of a profile's files; --apply sends the profile",
     "Changes settings of a profile (the active one unless --profile N) with the\n"
     "limits and rounding of the window, writing its profile image and INI; every\n"
     "value is checked before anything is written. A button's label is the one the\n"
     "window would write, in the profile's language. A change that would leave no\n"
     "button on 'click' is refused with \"Left key must be selected!\". --apply then\n"
     "sends the profile to the mouse.\n",
     1, -1, "KEY=VALUE", kTakesProfile | kTakesApply | kTakesPointer | kUsesDataFolder, cmd_set},
    {"reset", "reset [--profile N] [--apply [--pointer]]",
     "the shipped defaults into a profile, as the window's Reset",
     "Loads the shipped defaults (config.bin and the labels of str.ini) and saves\n"
     "them into the profile's files, keeping the profile slot. --apply also sends\n"
     "them.\n",
     0, 0, "", kTakesProfile | kTakesApply | kTakesPointer | kUsesDataFolder, cmd_reset},
    {"profiles", "profiles", "list the profiles and the current one",
     "Lists the profiles of str.ini by position, the current one marked with '*',\n"
     "and whether each position's profile image exists.\n",
     0, 0, "", kUsesDataFolder | kOnlyReads, cmd_profiles},
    {"profile", "profile SUBCOMMAND ...", "manage the profile list (see 'help profile')",
     "Subcommands, with the profile manager's rules (six profiles at most; files\n"
     "stay tied to positions: config<N>.bin and str<N>.ini belong to whatever entry\n"
     "is at position N, so renaming or deleting entries moves no file):\n"
     "  profile select N|NAME       make a profile the current one\n"
     "  profile new                 add PROFILE_<n>, named from the last entry\n"
     "  profile rename N NAME       rename the entry at position N\n"
     "  profile copy N              add \"Copy NAME\" at the end (not with six), its\n"
     "                              position's files made copies of N's\n"
     "  profile delete N            remove the entry at position N\n"
     "  profile export N FILE[.bin] write profile N to FILE.bin and FILE.ini, and a\n"
     "                              copy of both into the data folder\n"
     "  profile import N FILE.bin   read FILE.bin (and FILE.ini's labels) into\n"
     "                              profile N\n",
     1, 3, "a subcommand: select, new, rename, copy, delete, export or import", kUsesDataFolder,
     cmd_profile},
    {"macros", "macros", "list the macros of record.ini (as 'macro list')",
     "Lists the macros of record.ini in file order: number, name, loop count, items\n"
     "and how many of the block's 63 event pairs they take.\n",
     0, 0, "", kUsesDataFolder | kOnlyReads, cmd_macros},
    {"macro", "macro [--profile N] SUBCOMMAND ...",
     "manage the macros of record.ini (see 'help macro')",
     "Subcommands, with the macro manager's rules (twelve macros at most, names of\n"
     "at most 31 characters, 63 event pairs per macro block):\n"
     "  macro list                  as 'macros'\n"
     "  macro show NAME             the items, loop count and block use of a macro\n"
     "  macro new [NAME]            add Macro_<n> (or NAME); the language's base word\n"
     "  macro rename NAME NEW       rename the macro where it stands in record.ini\n"
     "  macro delete NAME           remove a macro\n"
     "  macro set-loop NAME COUNT   repeat count 1 to 65535 (1: the loop option off)\n"
     "  macro import-items NAME FILE\n"
     "                              replace the items with the lines of FILE ('-' for\n"
     "                              standard input): 'KEY   Dn', 'KEY   Up', 'N ms';\n"
     "                              with any 'N ms' line the delays are played as\n"
     "                              given, without, 50 ms follows each key event\n"
     "A macro keeps its place in record.ini, which is its number in the mouse; only\n"
     "the first twelve reach it. After every change the macros are encoded into the\n"
     "profile (the active one, or --profile N) and the Macro Key buttons of every\n"
     "profile follow their macros by name; a button whose macro was deleted takes\n"
     "back its shipped default function, with a warning. 'apply' sends them.\n",
     1, 3, "a subcommand: list, show, new, rename, delete, set-loop or import-items",
     kTakesProfile | kUsesDataFolder, cmd_macro},
    {"export-text", "export-text [--profile N] [FILE]",
     "a profile and its macros as a readable text file (default: the active one)",
     "Writes every setting of the profile (the active one unless --profile N), its\n"
     "name, the labels' language and every macro the mouse holds, by name, to FILE\n"
     "(standard output without FILE or with '-'). The file is text for diffs and\n"
     "version control: a [profile] section of 'key = value' lines with the keys and\n"
     "values 'set' takes, in a fixed order, then one [macro NAME] section per macro\n"
     "with 'loop = 1..65535', 'record-delays = on|off' and one 'item = ' line per\n"
     "item ('KEY   Dn', 'KEY   Up', 'N ms'). Lines starting with # or ; are comments.\n"
     "FILE must not be one of the data folder's own files, nor a device or pipe.\n"
     "--json needs a FILE: it reports the file written.\n",
     0, 1, "", kTakesProfile | kUsesDataFolder | kOnlyReads, cmd_export_text},
    {"import-text", "import-text [--profile N] [--apply [--pointer]] FILE",
     "read a file of export-text (or of get --json) into a profile",
     "Reads FILE ('-' for standard input), written by export-text or by hand, or the\n"
     "JSON of 'get --json', into the profile (the active one unless --profile N).\n"
     "Every line is checked through the same rules as 'set' before anything is\n"
     "written; a refusal names the file and line of each fault and changes nothing.\n"
     "Unknown keys are refused. Keys the file leaves out keep their values. Macros\n"
     "are created or updated in record.ini by name and the buttons pointed at them.\n"
     "--apply then sends the profile to the mouse.\n",
     1, 1, "a file written by export-text",
     kTakesProfile | kTakesApply | kTakesPointer | kUsesDataFolder, cmd_import_text},
    {"import-windows", "import-windows DIR", "bring over a data folder of the Windows program",
     "Copies config*.bin, str*.ini and record.ini from DIR into the data folder. INI\n"
     "files may be UTF-16LE with a byte-order mark, UTF-8, or the ANSI code page of\n"
     "the language (GBK for CHS, Big5 for CHT, Windows-1252 otherwise); they are\n"
     "written as UTF-8. Every file is checked before anything is written; files that\n"
     "are replaced are kept as NAME.bak.\n",
     1, 1, "a folder", kUsesDataFolder, cmd_import_windows},
    {"watch", "watch", "print the mouse's DPI and macro switches and plug events",
     "Prints the mouse's DPI and macro switches, arrivals and removals until\n"
     "interrupted. With --json, one JSON object per line.\n",
     0, 0, "", 0, cmd_watch},
    {"paths", "paths", "where the user's files, the defaults and the skins are",
     "Prints the folder of the user's files, the shipped defaults that Reset reads,\n"
     "and the skin folders in the order they are searched, as this command line\n"
     "gives them.\n",
     0, 0, "", 0, cmd_paths},
    {"help", "help [COMMAND|keys]", "this overview, the help of one command, or the key names", "",
     0, 1, "", 0, cmd_help},
    {"complete", "complete commands|keys|values KEY",
     "words for shell completion, one a line",
     "Prints the words the shells' completion offers, one a line: the commands, the\n"
     "keys of get and set, or values that set takes for KEY. The bash, zsh and fish\n"
     "completions ask this, so they offer what this p330ctl knows.\n",
     1, 2, "commands, keys or values KEY", 0, cmd_complete},
};

constexpr std::string_view kCommonOptions = R"(Options of every command:
  --device DEV            auto (default), sim[:STATEFILE] for the simulated
                          mouse (its memory kept in STATEFILE between runs), or
                          a node such as /dev/hidraw3
  --data-dir DIR          keep every file in DIR, made from the shipped defaults
                          when missing or empty (default: the user's files in
                          $XDG_CONFIG_HOME/p330 or ~/.config/p330, made from
                          the shipped defaults where missing)
  --json                  machine-readable output: one JSON document carrying
                          "schema": 1 (watch: one object per line)
  --trace FILE            write every HID transfer to FILE ("-" for standard
                          output): milliseconds, type, bytes in hexadecimal
  -h, --help              show help (of the command, after one) and exit
  --version               show the version and exit
)";

constexpr std::string_view kExitStatus = R"(Exit status:
  0  success
  1  the operation ran but did not fully succeed (for example a transfer failed)
  2  bad command line, or a change the rules refuse
  3  no mouse found, or the mouse cannot be opened
  4  a file or folder does not exist, cannot be read or is not what it should
     be (a folder named as a file; a target in a missing folder)
)";

}  // namespace

std::span<const CommandEntry> command_table() {
    return kCommands;
}

const CommandEntry* find_command(std::string_view name) {
    for (const CommandEntry& entry : kCommands) {
        if (entry.name == name) return &entry;
    }
    return nullptr;
}

bool only_reads_data_folder(const CommandEntry& entry, const std::vector<std::string>& arguments) {
    if ((entry.flags & kOnlyReads) != 0) return true;
    return entry.name == "macro" && !arguments.empty() &&
           (arguments[0] == "list" || arguments[0] == "show");
}

std::string usage_text() {
    std::string out =
        "Usage: p330ctl [OPTIONS] COMMAND [ARGUMENTS]\n\n"
        "Configures the P330 gaming mouse (USB 04D9:C7E2) from the terminal.\n\nCommands:\n";
    // Synopsis, then the summary in a column from 26 wrapped at 80 characters.
    constexpr std::size_t kColumn = 26;
    constexpr std::size_t kWidth = 80;
    for (const CommandEntry& entry : kCommands) {
        std::string line = "  " + std::string(entry.synopsis);
        if (line.size() + 2 > kColumn) {
            out += line + "\n";
            line.clear();
        }
        line.resize(kColumn, ' ');
        std::string_view rest = entry.summary;
        while (!rest.empty()) {
            std::size_t take = rest.size();
            if (line.size() + take > kWidth) take = rest.rfind(' ', kWidth - line.size());
            out += line + std::string(rest.substr(0, take)) + "\n";
            rest.remove_prefix(std::min(rest.size(), take + 1));
            line.assign(kColumn, ' ');
        }
    }
    out += "\n" + std::string(kCommonOptions) + "\n" + std::string(kExitStatus);
    out +=
        "\n'p330ctl help COMMAND' or 'p330ctl COMMAND --help' describes one command;\n"
        "'p330ctl help keys' lists the key names of key: and combo:.\n";
    return out;
}

std::string command_help(const CommandEntry& entry) {
    std::string out =
        "Usage: p330ctl " + std::string(entry.synopsis) + "\n\n" + std::string(entry.details);
    if (entry.name == "set" || entry.name == "get")
        out += "\nKeys and values:\n" + settings_key_list() + "\n" + std::string(kButtonFunctions);
    return out + "\n" + std::string(kCommonOptions) + "\n" + std::string(kExitStatus);
}

namespace {

// The names key: and combo: take, one a line: names such as "," and "Page Up" stay clear.
std::string key_names_text() {
    std::string out = "Key names of key:NAME and combo: (any case), one a line:\n";
    for (const KeyNameEntry& key : kKeyNameTable) out += "  " + std::string(key.name) + "\n";
    out += "\nModifiers of combo:MODIFIER+KEY:\n";
    for (const ModifierEntry& m : kModifierTable) out += "  " + std::string(m.name) + "\n";
    return out;
}

}  // namespace

int cmd_complete(const Context& c) {
    const std::vector<std::string>& args = c.options.arguments;
    std::string out;
    if (args[0] == "commands" && args.size() == 1) {
        for (const CommandEntry& entry : command_table()) out += std::string(entry.name) + "\n";
    } else if (args[0] == "keys" && args.size() == 1) {
        for (const SettingEntry& entry : settings_catalogue()) out += entry.key + "\n";
    } else if (args[0] == "values" && args.size() == 2) {
        const SettingEntry* entry = find_setting(args[1]);
        if (entry == nullptr)
            return fail(c, kExitUsage, "unknown key '" + args[1] + "' (see 'p330ctl help set')");
        for (const std::string& value : entry->suggestions) out += value + "\n";
    } else {
        return fail(c, kExitUsage, "complete takes 'commands', 'keys' or 'values KEY'");
    }
    std::fputs(out.c_str(), c.out);
    return kExitOk;
}

int cmd_help(const Context& c) {
    std::string text = usage_text();
    if (!c.options.arguments.empty() && c.options.arguments[0] == "keys") {
        text = key_names_text();
    } else if (!c.options.arguments.empty()) {
        const CommandEntry* entry = find_command(c.options.arguments[0]);
        if (entry == nullptr)
            return fail(c, kExitUsage, "unknown command '" + c.options.arguments[0] + "'");
        text = command_help(*entry);
    }
    if (c.options.json) text = json_document().field("help", json_string(text)).str() + "\n";
    std::fputs(text.c_str(), c.out);
    return kExitOk;
}

}  // namespace p330::cli
