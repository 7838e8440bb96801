#pragma once
// The gateway's memory and its command set, without any transport: two
// banks of 65536 byte cells and the "36", "38", "39" and "3F" commands.
// Thread-safe, so a test can look at the cells while the link runs.
#include <cstdint>
#include <mutex>
#include <string>
#include <vector>

namespace gatesim {

class Gateway
{
public:
    static constexpr int BankSize = 65536;

    // Carries out one command; true with the reply payload, false when the
    // command is not understood (the gateway then stays silent).
    bool Answer(const std::string &command, std::string *payload);

    uint8_t Cell(int bank, int address) const;
    void SetCell(int bank, int address, uint8_t value);
    void Clear();

private:
    bool Prepare(const std::string &command, std::string *payload);
    bool Write(const std::string &command, std::string *payload);
    bool Read(const std::string &command, std::string *payload);
    bool Sum(const std::string &command, std::string *payload);
    uint8_t *Bank(int bank) { return cells_.data() + bank * BankSize; }

    mutable std::mutex mutex_;
    std::vector<uint8_t> cells_ = std::vector<uint8_t>(2 * BankSize, 0);
};

} // namespace gatesim
