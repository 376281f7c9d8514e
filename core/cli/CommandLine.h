// The modes that run without a window: --version, --help, --dump, --find,
// --page, --vendors (--snapshot needs the widgets and lives beside them),
// and the --data option that lays a folder of resource files over the
// embedded ones. They read only the resource store and write to the given
// streams.
#pragma once
#include <ostream>
#include <string>
#include <vector>

class CDataDirStore;
class IResourceStore;

struct CommandLineOutcome {
    bool handled = false;  // false: no such mode asked, start the window
    int exitCode = 0;
};

// Takes every "--data DIR" out of `args` and loads DIR into `store`. False,
// after a message on `err`, when DIR is missing, given twice or unreadable.
bool ApplyDataOption(std::vector<std::string>& args, CDataDirStore& store, std::ostream& err);

// `args` are the arguments after the program name, --data taken out; the
// modes read their data from `store`.
CommandLineOutcome RunCommandLine(const std::vector<std::string>& args, const IResourceStore& store,
                                  std::ostream& out, std::ostream& err);

std::string HelpText();
