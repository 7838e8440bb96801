#include "FuzzTargets.h"
#include "ImageWrites.h"

#include "ui/window/frmLumentorMGW.h"

#include <QComboBox>
#include <QRadioButton>
#include <memory>

using namespace modLumentorMGW;

int FuzzView(const uint8_t *data, size_t size)
{
    // One window for the run.
    static const auto window = std::make_unique<frmLumentorMGW>();
    ApplyImageWrites(data, size);
    const std::vector<int16_t> before(ConfigImage, ConfigImage + CellCount);
    window->cboMNode->setCurrentIndex(size > 0 ? data[0] % 254 : 0);
    for (int p = 0; p < window->cboPoint->count(); ++p)
        window->cboPoint->setCurrentIndex(p);
    // Showing stores back only what the lists show; cells outside the point
    // records and settings never change.
    for (int a = 3000; a < 65536; ++a) {
        if (a == 4096 || a == 4097)
            continue;
        FuzzCheck(ConfigImage[2 * a] == before[size_t(2 * a)], "bank 0 outside the records unchanged");
        FuzzCheck(ConfigImage[2 * a + 1] == before[size_t(2 * a + 1)], "bank 1 unchanged");
    }
    window->cboPoint->setCurrentIndex(0);
    return 0;
}
