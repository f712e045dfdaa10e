// The machine's network interfaces and their IPv4 addresses (getifaddrs).
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace platform {

struct Ipv4Address {
  std::string address;  // dotted decimal
  std::string mask;     // dotted decimal; empty when the system gives none
};

struct NetworkInterface {
  std::string name;                      // "eth0", "wlp2s0"
  int hardwareType = -1;                 // ARPHRD_* value; -1 when unknown
  std::vector<uint8_t> hardwareAddress;  // empty when unknown
  bool wireless = false;
  bool loopback = false;
  std::vector<Ipv4Address> addresses;
};

// ARPHRD_ETHER: Ethernet-like hardware, wired or wireless.
constexpr int kHardwareEthernet = 1;

// Every interface in the order the system lists them; empty when the system
// cannot tell.
std::vector<NetworkInterface> ListNetworkInterfaces();

}  // namespace platform
