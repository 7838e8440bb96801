#include "link/Transfer.h"

#include "image/ConfigImage.h"
#include "link/Hex.h"
#include "link/TransferSteps.h"
#include "link/VerifyBank.h"

namespace modLumentorMGW {

bool CancelRequested = false;

namespace transfer {

bool CancelBeforeBlock(TransferPanel &panel)
{
    panel.ProcessEvents();
    return CancelRequested;
}

void CountBlock(TransferPanel &panel, int16_t &counter, const QString &verb)
{
    ++counter;
    if (counter % 16 != 0)
        return;
    panel.SetValue(counter);
    panel.SetCaption(verb + QStringLiteral(" Block ") + QString::number(counter)
                     + QStringLiteral(" Of ") + QString::number(TotalBlocks));
}

void StoreBlock(int16_t bank, int32_t first, const QByteArray &reply)
{
    if ((bank != 0 && bank != 1) || first < 0 || first > 65536 - BlockCells)
        return;
    const char *text = reply.constData();
    const int length = int(reply.size());
    int16_t *cell = ConfigImage + bank + 2 * first;
    for (int j = 0; j < BlockCells; ++j, cell += 2) {
        const int at = 3 + 2 * j;
        *cell = int16_t(at < length ? HexVal2(text + at, length - at) : 0);
    }
}

int16_t VerifyBanks(TransferPanel &panel)
{
    for (int16_t bank = 0; bank < 2; ++bank) {
        panel.SetCaption(QStringLiteral("Verify Checksum For Memory Bank: ") + QString::number(bank));
        if (const int16_t code = VerifyBank(bank))
            return code;
    }
    return 0;
}

} // namespace transfer
} // namespace modLumentorMGW
