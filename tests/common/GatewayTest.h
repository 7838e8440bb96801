#pragma once
// Fixture for link tests: an empty image, no last reply, a simulated
// gateway behind port 1 and every message box recorded.
#include "common/MsgBoxRecorder.h"
#include "common/SimulatedGateway.h"

#include "image/ConfigImage.h"
#include "link/Transaction.h"

#include <gtest/gtest.h>

class GatewayTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        modLumentorMGW::ClearImage();
        modLumentorMGW::LastReply.clear();
    }

    std::vector<std::string> Journal() const { return gateway.sim.Journal(); }

    SimulatedGateway gateway;
    MsgBoxRecorder boxes;
};
