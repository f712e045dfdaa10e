// The machine's adapter list, read from the system, and the network caches
// kept for the run.
#pragma once

#include <vector>

#include "foundation/ipconfig.h"
#include "platform/NetworkConfig.h"
#include "platform/NetworkInterfaces.h"

namespace ipwinapi {

// The wired and wireless Ethernet adapters that have at least one usable IPv4
// address, in the system's order. Empty when the system cannot tell.
TLanAdapterList GetLanAdapters();

// The adapter list made of the given interfaces and set-up (GetLanAdapters'
// rules). An adapter is DHCP-enabled when a lease of its interface names one
// of its addresses; a stale lease of an address it no longer has counts for
// nothing. Address lists hold usable addresses only, each once.
TLanAdapterList LanAdaptersOf(const std::vector<platform::NetworkInterface>& interfaces,
                              const platform::NetworkConfig& config = {});

// An address counts when it is not empty, not "0.0.0.0", not
// "255.255.255.255" and does not begin with "127.0.".
bool IsUsableAddress(const std::string& address);

// Start-up step: two empty caches. Shut-down step: both dropped.
void Initialize();
void Finalize();
// The caches between Initialize and Finalize: host names to addresses, and
// addresses to host names.
TNetCache& NameCache();
TNetCache& AddressCache();

}  // namespace ipwinapi
