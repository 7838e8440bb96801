#include "image/CellObserver.h"

#include <algorithm>
#include <vector>

namespace modLumentorMGW {

namespace {
std::vector<CellObserver *> &observers()
{
    static std::vector<CellObserver *> list;
    return list;
}
} // namespace

void AddCellObserver(CellObserver *observer)
{
    if (observer && std::find(observers().begin(), observers().end(), observer) == observers().end())
        observers().push_back(observer);
}

void RemoveCellObserver(CellObserver *observer)
{
    auto &list = observers();
    list.erase(std::remove(list.begin(), list.end(), observer), list.end());
}

void NotifyCellWritten(int16_t bank, int32_t address, int16_t before, int16_t after)
{
    // By index and without a copy: the accessors allocate nothing, and an
    // observer that removes itself while told leaves no dangling iterator.
    const auto &list = observers();
    for (std::size_t i = 0; i < list.size(); ++i)
        list[i]->CellWritten(bank, address, before, after);
}

} // namespace modLumentorMGW
