#pragma once
// A gateway simulator on a fresh pseudo-terminal, with a port number of the
// program redirected to it; undone (port closed, redirection dropped) when
// it goes.
#include "gatesim/GateSim.h"

#include <cstdint>

class SimulatedGateway
{
public:
    explicit SimulatedGateway(int16_t port = 1, bool paced = false);
    ~SimulatedGateway();
    SimulatedGateway(const SimulatedGateway &) = delete;
    SimulatedGateway &operator=(const SimulatedGateway &) = delete;

    gatesim::GateSim sim;
    const int16_t port;
};
