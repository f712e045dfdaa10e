// The machine's network adapters and their addresses.
#pragma once

#include <string>
#include <vector>

// One address with its mask, both dotted decimal.
struct TIPAddress {
  std::string address;
  std::string mask;
};

using TIPAddressList = std::vector<TIPAddress>;

// Adapter kinds.
constexpr int kAdapterWired = 0;
constexpr int kAdapterWireless = 1;

struct TLanAdapter {
  std::string name;             // at most 260 characters
  std::string description;      // at most 132 characters
  std::string hardwareAddress;  // "00:1A:2B:3C:4D:5E"
  int kind = kAdapterWired;
  bool dhcpEnabled = false;
  TIPAddressList addresses;
  TIPAddressList gateways;
  TIPAddressList dhcpServers;
  TIPAddressList dnsServers;
};

using TLanAdapterList = std::vector<TLanAdapter>;
