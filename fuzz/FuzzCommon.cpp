#include "FuzzTargets.h"

#include <cstdio>
#include <cstdlib>

namespace {
FuzzFailure onFailure = nullptr;
} // namespace

void SetFuzzFailure(FuzzFailure handler)
{
    onFailure = handler;
}

void FuzzCheck(bool holds, const char *what)
{
    if (holds)
        return;
    if (onFailure)
        return onFailure(what);
    std::fprintf(stderr, "fuzz property failed: %s\n", what);
    std::abort();
}
