#pragma once
// Under Wine: the simulator is a Linux program behind COM1, which
// scripts/windows-test maps to its pseudo-terminal; port 1 opens COM1 as
// the program does. Every message box recorded; the port closed after.
#include "common/MsgBoxRecorder.h"
#include "link/Transaction.h"

#include <gtest/gtest.h>

struct GatewayTest : ::testing::Test {
    ~GatewayTest() override { modLumentorMGW::CloseGatewayPort(); }
    MsgBoxRecorder boxes;
};
