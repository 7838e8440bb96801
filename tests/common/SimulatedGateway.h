#pragma once
// A gateway simulator on a fresh pseudo-terminal, with a port number of the
// program redirected to it; undone (port closed, redirection dropped) when
// it goes. Not copyable, as the simulator is not.
#include "gatesim/GateSim.h"
#include "link/PortDevice.h"
#include "link/Transaction.h"

#include <QString>
#include <gtest/gtest.h>

#include <cstdint>
#include <string>

class SimulatedGateway
{
public:
    explicit SimulatedGateway(int16_t port = 1) : port(port)
    {
        std::string error;
        if (!sim.Start(&error))
            ADD_FAILURE() << "gateway simulator did not start: " << error;
        modLumentorMGW::SetPortDevice(port, QString::fromStdString(sim.SlavePath()));
    }
    ~SimulatedGateway()
    {
        modLumentorMGW::CloseGatewayPort();
        modLumentorMGW::SetPortDevice(port, QString());
        sim.Stop();
    }

    gatesim::GateSim sim;
    const int16_t port;
};

// A fault on the replies to commands that start with prefix.
inline gatesim::Fault MakeFault(gatesim::FaultKind kind, const std::string &prefix = {}, uint32_t mask = 0)
{
    gatesim::Fault fault;
    fault.kind = kind;
    fault.prefix = prefix;
    fault.xorMask = mask;
    return fault;
}
