#pragma once
// The largest listing an image can give: 750 points, the first 50 multi
// relay points with every relay of every node set, the other 700 input
// points with the highest node and device and a three-digit number.
#include "image/ConfigImage.h"
#include "image/PointRecord.h"

namespace bench {

inline void FillWorstImage()
{
    using namespace modLumentorMGW;
    ClearImage();
    for (int p = 0; p < 750; ++p) {
        SetPointType(int16_t(p), p < 50 ? 4 : 9);
        SetPointNode(int16_t(p), 253);
        SetPointRelay(int16_t(p), 63);
        SetPointNumber(int16_t(p), 199);
        for (int n = 0; p < 50 && n < 256; ++n)
            for (int r = 0; r < 64; ++r)
                SetRelayBit(p, int16_t(n), int16_t(r), true);
    }
    Dirty = false;
}

} // namespace bench
