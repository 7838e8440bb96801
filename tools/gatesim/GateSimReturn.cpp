// The line coming back after a vanish: a new pseudo-terminal (another
// path, as a USB adapter plugged in again gets another name), the same
// memory, and the link moved to it.
#include "gatesim/GateSim.h"

#include "gatesim/Codec.h"

#include <cerrno>
#include <cstring>
#include <memory>
#include <vector>
#include <unistd.h>

namespace gatesim {

int CommandBlock(const std::string &command)
{
    uint32_t bank = 0, address = 0;
    if (command.size() < 7 || (command.compare(0, 2, "38") != 0 && command.compare(0, 2, "39") != 0)
        || !ParseHex(command, 2, 1, &bank) || !ParseHex(command, 3, 4, &address) || bank > 1)
        return -1;
    return int(bank * 1024 + address / 64);
}

bool GateSim::SetLink(const std::string &path, std::string *error)
{
    link_ = path;
    return PlaceLink(error);
}

// A new link beside the old one, renamed over it: whoever follows the link
// finds the old line or the new one, never nothing.
bool GateSim::PlaceLink(std::string *error)
{
    if (link_.empty())
        return true;
    const std::string fresh = link_ + ".new";
    ::unlink(fresh.c_str());
    if (::symlink(pty_.SlavePath().c_str(), fresh.c_str()) != 0 || ::rename(fresh.c_str(), link_.c_str()) != 0) {
        if (error)
            *error = "cannot link " + link_ + ": " + std::strerror(errno);
        ::unlink(fresh.c_str());
        return false;
    }
    return true;
}

bool GateSim::Return()
{
    const int ms = returnMs_.exchange(-1);
    if (stop_ || ms < 0)
        return false;
    // Gone: the link points nowhere while the adapter is out.
    if (!link_.empty())
        ::unlink(link_.c_str());
    disconnect_ = false;
    if (!PauseUntil(Clock::now() + std::chrono::milliseconds(ms)))
        return false;
    // Another name, as a USB adapter plugged in again gets: spares hold the
    // free numbers up to the old one while the new one is taken.
    std::string error;
    const std::string before = pty_.SlavePath();
    std::vector<std::unique_ptr<Pty>> spares;
    while (spares.size() < 64) {
        spares.push_back(std::make_unique<Pty>());
        if (!spares.back()->Open(&error) || spares.back()->SlavePath() == before)
            break;
    }
    {
        std::lock_guard<std::mutex> lock(lineMutex_);
        if (!pty_.Open(&error))
            return false;
    }
    spares.clear();
    pending_.clear();
    {
        std::lock_guard<std::mutex> lock(mutex_);
        closed_ = false;
        connected_ = true;
    }
    if (returnHook_)
        returnHook_(pty_.SlavePath());
    PlaceLink(nullptr);
    ++returns_;
    changed_.notify_all();
    return true;
}

} // namespace gatesim
