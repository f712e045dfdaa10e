// The machine's network adapters and their addresses, and a small cache of
// network names.
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

// DHCP servers and the flag come from a lease of the adapter's own address;
// gateways are its default routes; Linux keeps one list of DNS servers for
// the whole machine, so every adapter carries that list.
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

// Pairs of texts kept for the run, such as host names and the addresses they
// resolved to: two lists of equal length, looked up by the first text
// exactly as given.
class TNetCache {
 public:
  // The value stored for key; false when there is none.
  bool Find(const std::string& key, std::string& value) const;
  // Stores value for key, replacing an earlier one.
  void Put(const std::string& key, const std::string& value);
  void Clear();
  size_t Count() const { return keys_.size(); }

 private:
  std::vector<std::string> keys_;
  std::vector<std::string> values_;
};
