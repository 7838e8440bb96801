#include "cli/ErrorTerminal.h"

#include <io.h>

namespace mgw {

bool ErrorIsTerminal()
{
    return _isatty(2) == 1;
}

} // namespace mgw
