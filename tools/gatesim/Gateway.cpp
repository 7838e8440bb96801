#include "gatesim/Gateway.h"

#include "gatesim/Codec.h"

#include <algorithm>

namespace gatesim {

namespace {
// Bank digit at position 2: "0" or "1".
bool BankDigit(const std::string &command, int *bank)
{
    if (command.size() < 3 || (command[2] != '0' && command[2] != '1'))
        return false;
    *bank = command[2] - '0';
    return true;
}

// Bank, first address and last offset of a "38"/"39" block command.
bool BlockHeader(const std::string &command, int *bank, uint32_t *first, uint32_t *count)
{
    uint32_t last = 0;
    if (!BankDigit(command, bank) || !ParseHex(command, 3, 4, first) || !ParseHex(command, 7, 2, &last))
        return false;
    *count = last + 1;
    return *first + *count <= Gateway::BankSize;
}
} // namespace

bool Gateway::Answer(const std::string &command, std::string *payload)
{
    std::lock_guard<std::mutex> lock(mutex_);
    const std::string code = command.substr(0, 2);
    if (code == "36")
        return Prepare(command, payload);
    if (code == "38")
        return Write(command, payload);
    if (code == "39")
        return Read(command, payload);
    if (code == "3F")
        return Sum(command, payload);
    return false;
}

// "36" b h "$*": clears half h of bank b.
bool Gateway::Prepare(const std::string &command, std::string *payload)
{
    int bank = 0;
    if (command.size() != 6 || !BankDigit(command, &bank) || command.compare(4, 2, "$*") != 0)
        return false;
    if (command[3] != '0' && command[3] != '1')
        return false;
    const int half = command[3] - '0';
    std::fill_n(Bank(bank) + half * (BankSize / 2), BankSize / 2, uint8_t(0));
    *payload = "00";
    return true;
}

// "38" b aaaa ll + (ll+1) data pairs.
bool Gateway::Write(const std::string &command, std::string *payload)
{
    int bank = 0;
    uint32_t first = 0, count = 0;
    if (!BlockHeader(command, &bank, &first, &count) || command.size() != 9 + 2 * count)
        return false;
    std::vector<uint8_t> data(count);
    for (uint32_t i = 0; i < count; ++i) {
        uint32_t v = 0;
        if (!ParseHex(command, 9 + 2 * i, 2, &v))
            return false;
        data[i] = static_cast<uint8_t>(v);
    }
    std::copy(data.begin(), data.end(), Bank(bank) + first);
    *payload = "00";
    return true;
}

// "39" b aaaa ll: the cells as pairs of digits.
bool Gateway::Read(const std::string &command, std::string *payload)
{
    int bank = 0;
    uint32_t first = 0, count = 0;
    if (!BlockHeader(command, &bank, &first, &count) || command.size() != 9)
        return false;
    payload->clear();
    for (uint32_t i = 0; i < count; ++i)
        *payload += HexDigits(Bank(bank)[first + i], 2);
    return true;
}

// "3F" b ssss eeee: checksum of the range, eight digits, upper half first.
bool Gateway::Sum(const std::string &command, std::string *payload)
{
    int bank = 0;
    uint32_t first = 0, last = 0;
    if (command.size() != 11 || !BankDigit(command, &bank) || !ParseHex(command, 3, 4, &first)
        || !ParseHex(command, 7, 4, &last) || first > last)
        return false;
    *payload = HexDigits(RangeSum(Bank(bank), int(first), int(last)), 8);
    return true;
}

static bool InRange(int bank, int address)
{
    return bank >= 0 && bank < 2 && address >= 0 && address < Gateway::BankSize;
}

uint8_t Gateway::Cell(int bank, int address) const
{
    std::lock_guard<std::mutex> lock(mutex_);
    return InRange(bank, address) ? cells_[static_cast<size_t>(bank * BankSize + address)] : 0;
}

void Gateway::SetCell(int bank, int address, uint8_t value)
{
    std::lock_guard<std::mutex> lock(mutex_);
    if (InRange(bank, address))
        cells_[static_cast<size_t>(bank * BankSize + address)] = value;
}

void Gateway::Clear()
{
    std::lock_guard<std::mutex> lock(mutex_);
    std::fill(cells_.begin(), cells_.end(), uint8_t(0));
}

} // namespace gatesim
