#include "cli/ErrorTerminal.h"

#include <unistd.h>

namespace mgw {

bool ErrorIsTerminal()
{
    return isatty(STDERR_FILENO) == 1;
}

} // namespace mgw
