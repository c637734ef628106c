// vornelle-db: inspect, query, search and change dBASE tables from a terminal, with the same
// engine the calendar uses.

#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "engine/engine.h"
#include "tools/db/cli.h"
#include "tools/db/commands.h"
#include "tools/db/output.h"
#include "tools/db/session.h"

namespace {

using namespace vornelle::tools;

struct Command {
  const char* name;
  int (*run)(const Arguments&);
  const char* usage;
  const char* help;
  // What a failure exits with: 1, but 2 where 1 already means an answer (find, as grep).
  int error_status = 1;
};

const Command kCommands[] = {
    {"info", InfoCommand, "info TABLE [--json] [--codepage NAME]",
     "Shows the table's header: version byte and family, the records the file holds (and the\n"
     "header's count where it differs), header and record lengths, the date of the last\n"
     "update, the memo file's kind and block size, and each field's name, the type letter the\n"
     "table holds, length, decimals and offset in the record, with what it is read as where\n"
     "that differs (a G field is read as M, a memo), whether it may be null and whether it\n"
     "counts up itself; and the code page of its text with the language driver byte it comes\n"
     "from.\n"
     "  --json   one JSON object with the keys version, records, header_records,\n"
     "           header_length, record_length, last_update, language_driver,\n"
     "           driver_code_page (null when the byte names none), code_page, memo\n"
     "           ({type, block_size} or null) and fields ({name, type, length, decimals,\n"
     "           offset}, with read_as, nullable and autoincrement where they apply)."},
    {"list", ListCommand,
     "list TABLE [--filter EXPR] [--hide-deleted] [--format text|csv|json] [--count]\n"
     "       [--codepage NAME]",
     "Prints every visible record, from the first to the last.\n"
     "  --filter EXPR    only records for which the dBASE expression is true,\n"
     "                   e.g. --filter 'THEDATE = \"0704\"'\n"
     "  --hide-deleted   leave out records marked deleted (they are shown by default)\n"
     "  --format F       text (aligned columns, the default), csv (RFC 4180 with a header\n"
     "                   row) or json (one object per line: _recno, _deleted, then the fields)\n"
     "  --count          print only the number of visible records\n"
     "Numbers print as numbers, dates as YYYY-MM-DD, dates and times as YYYY-MM-DDTHH:MM:SS,\n"
     "varbinary as hexadecimal. A value the field does not hold (a blank or starred number, a\n"
     "logical that is no letter of one, a blank date, a Visual FoxPro null) is null in JSON and\n"
     "empty in CSV and text. Where field names repeat, JSON keys and CSV columns add _2, _3..."},
    {"eval", EvalCommand, "eval EXPR [TABLE [--codepage NAME]]",
     "Evaluates a dBASE expression: once, or with TABLE once per record in file order\n"
     "(deleted records too). Prints one JSON object per evaluation with the result's type,\n"
     "width, decimals and value (and the record number with a table)."},
    {"locate", LocateCommand, "locate TABLE \"FIELD [NOCASE] [EXACT] [CONTAINED]\" TEXT [--codepage NAME]",
     "Prints the number of every record whose FIELD holds TEXT: at its start by default,\n"
     "exactly with EXACT, anywhere with CONTAINED; NOCASE ignores case. Memo fields match\n"
     "when any line contains TEXT."},
    {"create", CreateCommand, "create TABLE SPEC... [--kind dbase3|dbase4|foxpro|level7] [--codepage NAME] [--force]",
     "Creates an empty table (and its memo file when a field needs one). Each SPEC is\n"
     "NAME,TYPE,LENGTH,DECIMALS with TYPE one of C D F L M N; D, L and M take their own\n"
     "lengths. --kind chooses the memo file kind (dbase4 by default); --codepage names the\n"
     "code page of its text in the language driver byte (none by default, which is OEM 437);\n"
     "an existing table is only replaced with --force."},
    {"append", AppendCommand, "append TABLE FIELD=VALUE... [--codepage NAME]",
     "Adds a record under the table's append lock (waiting up to 10 s for another program\n"
     "that holds it) and prints its number. Values as you type them: C and V text, N, F, B\n"
     "and O decimal numbers, I whole numbers, Y at most 4 decimals, L T or F, D YYYY-MM-DD,\n"
     "T and @ YYYY-MM-DDTHH:MM:SS, Q hexadecimal bytes, M text (stored as a new memo value).\n"
     "Fields not given are blank; an empty value makes a field that may be null null. A value\n"
     "that does not fit its field, or holds a character the table's code page lacks, is\n"
     "refused before anything is written. A field that counts its values up itself\n"
     "(autoincrement) takes the next value the table's header keeps; level 7 tables with\n"
     "such a field (+) are refused."},
    {"replace", ReplaceCommand, "replace TABLE RECNO FIELD=VALUE... [--codepage NAME]",
     "Changes fields of record RECNO under its record lock (waiting up to 10 s)."},
    {"delete", DeleteCommand, "delete TABLE RECNO", "Marks record RECNO deleted."},
    {"recall", RecallCommand, "recall TABLE RECNO", "Clears the deleted mark of record RECNO."},
    {"pack", PackCommand, "pack TABLE",
     "Removes the records marked deleted for good, and the memo values only they used: the\n"
     "table and its memo file are written anew, every kept byte as it was stored, and put in\n"
     "place as one (another program reads the old pair or the new, never one of each). Refused\n"
     "while another program has the table open, the calendar's theme editor among them: a\n"
     "program writing a table it believes unchanged must not lose its writes."},
    {"day", DayCommand,
     "day [--date YYYY-MM-DD | --from YYYY-MM-DD --to YYYY-MM-DD] [--folder DIR | --user-folder] [--json] [--once]\n"
     "    [THEME...]",
     "Prints the day's messages (default: today) exactly as the calendar's pane shows them:\n"
     "the message of each THEME in turn, or of the themes the folder's Vornel.Ini displays,\n"
     "with the separator block between themes. A theme without a message for the day is named\n"
     "on stderr and keeps its separator block. Nothing is created: a displayed theme whose table\n"
     "is not there is left out and named on stderr, as the calendar's start-up does. A THEME\n"
     "that is not there, a theme that cannot be read and a table cut short are named on stderr,\n"
     "the others are printed, and the exit status is 1; a folder without tables prints nothing.\n"
     "Control characters of a message are shown (ESC as ^[), never sent to the terminal.\n"
     "--json prints {\"date\", \"key\", \"themes\": [{\"file\", \"description\", \"lines\"}]};\n"
     "description and lines are null where a theme has none.\n"
     "--from and --to print each day of the range, both included: its date (YYYY-MM-DD) on a\n"
     "line, its messages as above, and a blank line before the next day; each theme is read\n"
     "once, and days without a message are not named. With --json, a list of the objects above.\n"
     "--once prints the messages (or the JSON) only the first time it runs on the day for\n"
     "the folder, and nothing later that day (exit status 0): for ~/.bashrc. The day shown is\n"
     "kept in $XDG_STATE_HOME/vornelle (~/.local/state/vornelle), a regular file of at most\n"
     "8 KiB; when it cannot be, the messages are printed all the same and stderr says why.\n"
     "--user-folder reads the folder and the themes the calendar started so offers (see themes).\n"
     "Example: vornelle-db day --date 2024-07-04 --folder ~/calendar\n"
     "         vornelle-db day --once --user-folder   # in ~/.bashrc"},
    {"find", FindCommand, "find TEXT [--folder DIR | --user-folder] [--all] [--word] [--case] [--json] [THEME...]",
     "Prints the days whose message holds TEXT, a line each: MMDD, a tab, the theme's file, a\n"
     "tab and the first line of the message that holds TEXT; theme by theme, each in calendar\n"
     "order. The themes are the THEMEs named, else those the folder's Vornel.Ini displays (left\n"
     "out and named on stderr as for day), or with --all every table of the folder.\n"
     "Matching ignores case, accented letters included (CAFÉ finds café), and accents (cafe\n"
     "finds café). --case matches capitals only where TEXT has them (Cafe finds Café, not\n"
     "café); --word only where TEXT is a whole word, no letter or digit right before or after\n"
     "it (moon finds \"moon.\", not \"moonlight\").\n"
     "Only what the calendar shows is searched: each day's first record, deleted or not;\n"
     "never the description, nor a second record for a day.\n"
     "A tab or a control character of the line is shown as a space or as ^[ and the like.\n"
     "--json prints [{\"key\", \"file\", \"description\", \"line\"}].\n"
     "A theme that cannot be read, or is cut short, is named on stderr and the others are still\n"
     "searched.\n"
     "Exit status, as grep's: 0 when TEXT was found, 1 when it was not, 2 on an error.\n"
     "Example: vornelle-db find --folder ~/calendar harvest",
     2},
    {"themes", ThemesCommand, "themes [--folder DIR | --user-folder] [--json]",
     "Lists the folder's themes as the calendar finds them: each .dbf table, its description and\n"
     "how many of the 366 days have a message. A table without a description record shows the\n"
     "calendar's complaint about it, and the exit status is 1.\n"
     "--user-folder lists what the calendar started with --user-folder offers: the themes of\n"
     "$XDG_DATA_HOME/vornelle (~/.local/share/vornelle), then those of vornelle/themes under each\n"
     "folder of $XDG_DATA_DIRS (/usr/local/share:/usr/share) that no folder before has, each\n"
     "followed by its [folder]: the system's themes are read-only. With --json each theme has\n"
     "its \"system\" folder then, null for the user's own."},
    {"theme", ThemeCommand,
     "theme export [--to text|ics] TABLE [--output FILE] | check TABLE |\n"
     "       import [--from text|calendar|fortune|ics] SOURCE TABLE [--kind dbase3|dbase4|foxpro]\n"
     "       [--force] [--description TEXT] [--start MMDD]",
     "Themes as plain text, one record after another:\n"
     "  # a comment\n"
     "  @9999\n"
     "  The theme's description\n"
     "  @0101\n"
     "  The message for 1 January, in as many lines as it needs.\n"
     "A message line that starts with @, # or \\ is written with a \\ in front. The text is UTF-8;\n"
     "in the table the lines are joined with CR LF.\n"
     "export writes a table's records in file order (deleted ones left out) to FILE or stdout.\n"
     "export --to ics writes an iCalendar file (RFC 5545) instead, for calendar programs and\n"
     "phones to subscribe to: a yearly all-day event for each day's message as the calendar\n"
     "shows it (the day's first record), the first line its summary, the whole message its\n"
     "description; 29 February in leap years only. The description names the calendar, and\n"
     "each event's UID is the day and TABLE's name, so a new export updates a subscription.\n"
     "import makes TABLE from SOURCE, read as --from says:\n"
     "  text       the text above (the default)\n"
     "  calendar   a calendar(1) file: MM/DD, Mon DD or DD Mon, a tab, the event; lines that\n"
     "             start with a tab go on the event before. The events of a day make its\n"
     "             message, a paragraph each, in file order. Comments and preprocessor lines\n"
     "             are skipped; #include reads the file named (beside SOURCE, in /etc/calendar\n"
     "             or in /usr/share/calendar, and nowhere else: a path or a link that leads\n"
     "             elsewhere is refused) in place, each file once, at most 8 deep. Dates no\n"
     "             fixed day holds (weekday rules, Easter, *) are left out and counted on stderr.\n"
     "  ics        an iCalendar file (RFC 5545), as calendar programs and phones export them:\n"
     "             each event on the month and day of its DTSTART, its SUMMARY and then its\n"
     "             DESCRIPTION (the DESCRIPTION alone when it begins with the SUMMARY); the events\n"
     "             of a day a paragraph each, in file order. Events without a DTSTART or text,\n"
     "             yearly ones on weekday rules and changes to one occurrence are left out and\n"
     "             counted on stderr. The calendar's name (NAME, X-WR-CALNAME) describes the theme.\n"
     "  fortune    a fortune file (sayings between lines holding only %): one saying a day\n"
     "             from 0101 (or --start MMDD) on, 0229 included; sayings past 1231 are left\n"
     "             out and counted on stderr.\n"
     "The description is --description's TEXT, else the text's @9999 or the iCalendar file's\n"
     "name, else SOURCE's file name.\n"
     "SOURCE and what it includes are read only as regular files, at most 16 MiB together.\n"
     "import refuses, naming the line, text the tables' code page cannot hold, a key that is\n"
     "no day (0229 is one), a second record for a key, a missing description and an #include\n"
     "it cannot follow, and then writes nothing. An existing table is replaced only with\n"
     "--force, together with its memo file: an import stopped halfway leaves the old theme or\n"
     "the new.\n"
     "Only the table of TABLE's exact name is replaced: JOKES.DBF beside jokes.dbf is another\n"
     "table, and keeps its memo file.\n"
     "check reports the same problems in a table, and deleted records the calendar would still\n"
     "show, keys that are no day, days without a message or with an empty one, memo pointers\n"
     "that are no block number, messages that cannot be read, records the header counts that\n"
     "the file does not hold and records the file holds that the header does not count; exit\n"
     "status 1 when it finds any. export refuses such damage.\n"
     "Example: vornelle-db theme import --from calendar /usr/share/calendar/calendar.history\n"
     "         history.dbf"},
};

std::string Overview() {
  std::string text =
      "vornelle-db: inspect, query, search and change dBASE tables.\n\n"
      "Usage: vornelle-db COMMAND ARGUMENTS...\n\nCommands:\n";
  for (const Command& c : kCommands) text += std::string("  ") + c.usage + "\n";
  return text +
         "\nTABLE is a .dbf file (the extension may be left out). Its text is read and written\n"
         "in the code page its language driver byte names (OEM 437 when it names none) and\n"
         "shown in UTF-8; --codepage NAME (cp850, cp1252 ...) chooses another for a table\n"
         "command. Themes (day, find, themes, theme) are read in OEM 437, as the calendar\n"
         "reads them.\n"
         "vornelle-db COMMAND --help tells more about a command.\n"
         "Exit status: 0 on success, 1 on any error; find exits 0 when it finds TEXT, 1 when\n"
         "it does not and 2 on an error.\n";
}

// Help asked for, on stdout: `failed` when it cannot be written (`who` names the tool or
// command).
int ShowHelp(const std::string& who, const std::string& text, int failed = 1) {
  try {
    Write(text);
    FinishOutput();
    return 0;
  } catch (const OutputError& e) {
    std::fprintf(stderr, "%s: %s\n", who.c_str(), e.what());
    return failed;
  }
}

const Command* Find(const std::string& name) {
  for (const Command& c : kCommands)
    if (name == c.name) return &c;
  return nullptr;
}

}  // namespace

int main(int argc, char** argv) {
  std::vector<std::string> all(argv + 1, argv + argc);
  if (all.empty()) {
    std::fputs(Overview().c_str(), stderr);
    return 1;
  }
  if (all[0] == "--help" || all[0] == "-h" || all[0] == "help") return ShowHelp("vornelle-db", Overview());
  const Command* command = Find(all[0]);
  if (!command) {
    std::fprintf(stderr, "vornelle-db: unknown command %s\n\n%s", all[0].c_str(), Overview().c_str());
    return 1;
  }
  Arguments args(all.begin() + 1, all.end());
  for (const std::string& a : args) {
    if (a == "--help" || a == "-h")
      return ShowHelp(std::string("vornelle-db ") + command->name,
                      std::string("Usage: vornelle-db ") + command->usage + "\n\n" + command->help + "\n",
                      command->error_status);
  }
  try {
    StartEngine();
    const int status = command->run(args);
    FinishOutput();  // output lost on the way out is a failure too
    return status;
  } catch (const UsageError& e) {
    std::fprintf(stderr, "vornelle-db %s: %s\nUsage: vornelle-db %s\n", command->name, e.what(),
                 command->usage);
  } catch (const ToolError& e) {
    std::fprintf(stderr, "vornelle-db %s: %s\n", command->name, e.what());
  } catch (const vornelle::engine::ETavrinError& e) {
    std::fprintf(stderr, "%s\n", EngineMessage(e).c_str());
  } catch (const vornelle::platform::Exception& e) {
    std::fprintf(stderr, "vornelle-db %s: %s\n", command->name, e.what());
  }
  try {
    vornelle::engine::CloseAll();
  } catch (const vornelle::engine::ETavrinError&) {
  }
  return command->error_status;
}
