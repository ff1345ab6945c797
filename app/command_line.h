#pragma once

#include <QString>
#include <QStringList>
#include <cstdio>

namespace vornel {

// What the arguments ask Vornel to do.
enum class CommandMode {
    Menu,           // no arguments (or only Qt's own): start as always
    Search,         // --search [QUERY]: the menu with the search window open
    SearchProvider, // --search-provider: answer the desktop's search on D-Bus
    Service,        // --gapplication-service: started by the bus, no window until asked
    Find,           // --find QUERY: print the results and end
    Help,           // --help
    Version,        // --version
    Error,          // arguments that make no sense: `text` says why
};

struct CommandLine {
    CommandMode mode = CommandMode::Menu;
    QString query;     // for Search and Find
    QString text;      // for Help and Error: what to print
    bool json = false; // Find: as JSON, for scripts
};

// Reads the program's arguments (the first is the program). Qt's own
// options (-platform, -style ...) are let through for QApplication to take.
// Needs no application object, except for the help text, which is only
// made where one exists.
CommandLine readCommandLine(const QStringList& arguments);
// The same from main's arguments, before any application object exists.
CommandLine readCommandLine(int argc, char* argv[]);

// Where the mode needs a display: the menu, the search window and the
// application started by the bus. The provider needs none.
bool needsDisplay(CommandMode mode);

// Runs a mode that needs no display in an application without a GUI and
// returns the exit status: 0, 1 for --find that found nothing or whose
// output could not be written, 2 for arguments that make no sense.
int runWithoutDisplay(int argc, char* argv[]);

// How --find prints: TAB-separated lines for a spreadsheet, or JSON.
enum class FindFormat { Tabs, Json };

// Prints the whole answer to `query` to `file`. As TAB-separated lines: the
// search window's column names and "詳細" first, then a line per result, its
// cells and then each line of its detail; nothing where nothing is found.
// As JSON: one document (search/result_json), with no results where
// nothing is found. Returns the number of results, or -1 where the output
// could not be written (a full disk, a closed pipe), which it says on
// standard error.
int printResults(const QString& query, std::FILE* file = stdout,
                 FindFormat format = FindFormat::Tabs);

} // namespace vornel
