#pragma once
// Whether standard error is a terminal: progress is drawn there only then.

namespace mgw {

bool ErrorIsTerminal();

} // namespace mgw
