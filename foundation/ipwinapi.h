// The machine's adapter list, read from the system.
#pragma once

#include <vector>

#include "foundation/ipconfig.h"
#include "platform/NetworkInterfaces.h"

namespace ipwinapi {

// The wired and wireless Ethernet adapters that have at least one usable IPv4
// address, in the system's order. Empty when the system cannot tell.
TLanAdapterList GetLanAdapters();

// The adapter list made of the given interfaces (GetLanAdapters' rules).
TLanAdapterList LanAdaptersOf(const std::vector<platform::NetworkInterface>& interfaces);

// An address counts when it is not empty, not "0.0.0.0", not
// "255.255.255.255" and does not begin with "127.0.".
bool IsUsableAddress(const std::string& address);

}  // namespace ipwinapi
