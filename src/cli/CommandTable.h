#pragma once
// mgw's commands: each one's name, what it runs, how many file arguments
// it takes and its help text, and the program's own help.
#include "cli/Invocation.h"

namespace mgw {

struct CommandEntry
{
    const char *name;
    int (*run)(const Invocation &);
    int files;
    bool gateway; // takes --port and shows progress
    const char *help;
};

constexpr int CommandCount = 8;
extern const CommandEntry Commands[CommandCount];
extern const char ProgramHelp[];

} // namespace mgw
