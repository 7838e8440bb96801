#pragma once
// A simulated gateway behind port 1, every message box recorded: the
// simulator in-process on a pseudo-terminal. Windows' build has its own
// (tests/wine/GatewayTest.h), for the tests both share.
#include "common/MsgBoxRecorder.h"
#include "common/SimulatedGateway.h"

#include <gtest/gtest.h>

struct GatewayTest : ::testing::Test {
    SimulatedGateway gateway;
    MsgBoxRecorder boxes;
};
