#include "link/Transfer.h"

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
