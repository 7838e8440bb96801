#include "link/VerifyBank.h"

#include "link/BankChecksum.h"
#include "link/Hex.h"
#include "link/MsgBox.h"
#include "link/Transaction.h"
#include "link/TransferLine.h"

namespace modLumentorMGW {

void ReportOversizedCell(int32_t address, int16_t value)
{
    MsgBox(QString::number(value) + QStringLiteral(" A:") + QString::number(address), vbOKOnly);
}

int16_t VerifyBank(int16_t bank)
{
    if (bank != 0 && bank != 1)
        return 52;
    if (!Exchange(bank == 0 ? QStringLiteral("3F00000FFFF") : QStringLiteral("3F10000FFFF"), 12))
        return 52;
    // Characters 4..7 and 8..11 of the reply; a successful reply has them.
    const char *reply = LastReply.constData();
    const int32_t length = int32_t(LastReply.size());
    const int32_t upper = length > 3 ? HexVal4(reply + 3, length - 3) : 0;
    const int32_t lower = length > 7 ? HexVal4(reply + 7, length - 7) : 0;

    // Bank 0 cells above 255: each of the first ten is shown as it is met,
    // the rest are counted and told in one box, so thousands of them cannot
    // trap the operator in thousands of boxes.
    constexpr int32_t shownCells = 10;
    int32_t oversized = 0;
    const OversizedCellReport report = [&oversized](int32_t address, int16_t value) {
        if (oversized++ < shownCells)
            ReportOversizedCell(address, value);
    };
    const uint32_t mine = BankChecksum(bank, bank == 0 ? report : OversizedCellReport());
    const int32_t more = oversized - shownCells;
    if (more > 0)
        MsgBox(QString::number(more) + (more == 1 ? QStringLiteral(" More Cell") : QStringLiteral(" More Cells"))
                   + QStringLiteral(" Above 255 In Memory Bank 0"),
               vbOKOnly);
    if (upper != int32_t(mine >> 16))
        return bank == 0 ? 61 : 63;
    if (lower != int32_t(mine & 0xFFFFu))
        return bank == 0 ? 62 : 64;
    return 0;
}

} // namespace modLumentorMGW
