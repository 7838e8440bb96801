#pragma once
// A pseudo-terminal for the simulator: the master it serves, and the slave
// path the program opens as its serial port. The simulator keeps its own
// slave descriptor open so the line stays up while the program's port is
// closed, and sets the line raw so the program sees exactly the bytes sent.
#include <string>

namespace gatesim {

class Pty
{
public:
    Pty() = default;
    Pty(const Pty &) = delete;
    Pty &operator=(const Pty &) = delete;
    ~Pty() { Close(); }

    bool Open(std::string *error);
    void Close();
    bool IsOpen() const { return master_ >= 0; }
    int Master() const { return master_; }
    const std::string &SlavePath() const { return path_; }
    // Characters written to the line that the program has not read yet.
    int Unread() const;
    // Characters the program wrote that the simulator has not read yet.
    int Unserved() const;
    // Writes towards the master until the line takes no more; the count written.
    long Fill();

private:
    int master_ = -1;
    int slave_ = -1;
    std::string path_;
};

} // namespace gatesim
