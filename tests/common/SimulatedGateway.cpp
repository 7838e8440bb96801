#include "common/SimulatedGateway.h"

#include "link/PortDevice.h"
#include "link/Transaction.h"

#include <QString>
#include <gtest/gtest.h>

using namespace modLumentorMGW;

SimulatedGateway::SimulatedGateway(int16_t port, bool paced)
    : port(port)
{
    sim.SetPacing(paced);
    std::string error;
    if (!sim.Start(&error))
        ADD_FAILURE() << "gateway simulator did not start: " << error;
    SetPortDevice(port, QString::fromStdString(sim.SlavePath()));
}

SimulatedGateway::~SimulatedGateway()
{
    CloseGatewayPort();
    SetPortDevice(port, QString());
    sim.Stop();
}
