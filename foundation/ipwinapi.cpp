#include "foundation/ipwinapi.h"

#include "foundation/Utf8.h"

namespace ipwinapi {

namespace {

constexpr size_t kMaxNameChars = 260;
constexpr size_t kMaxDescriptionChars = 132;

std::string HexPairs(const std::vector<uint8_t>& bytes) {
  static const char kDigits[] = "0123456789ABCDEF";
  std::string text;
  for (uint8_t b : bytes) {
    if (!text.empty()) text += ':';
    text += kDigits[b >> 4];
    text += kDigits[b & 15];
  }
  return text;
}

// Adds a usable address that the list does not hold yet.
void AddAddress(TIPAddressList& list, const std::string& address, const std::string& mask) {
  if (!IsUsableAddress(address)) return;
  for (const TIPAddress& a : list)
    if (a.address == address) return;
  list.push_back({address, mask});
}

bool HasAddress(const TLanAdapter& a, const std::string& address) {
  for (const TIPAddress& own : a.addresses)
    if (own.address == address) return true;
  return false;
}

void AddDhcp(TLanAdapter& a, const std::string& interfaceName,
             const std::vector<platform::DhcpLease>& leases) {
  for (const platform::DhcpLease& lease : leases) {
    if (lease.interfaceName != interfaceName || !HasAddress(a, lease.address)) continue;
    a.dhcpEnabled = true;
    AddAddress(a.dhcpServers, lease.server, "");
  }
}

TLanAdapter AdapterOf(const platform::NetworkInterface& n, const platform::NetworkConfig& config) {
  TLanAdapter a;
  a.name = Utf8::Left(n.name, kMaxNameChars);
  a.description = Utf8::Left(n.name, kMaxDescriptionChars);
  a.hardwareAddress = HexPairs(n.hardwareAddress);
  a.kind = n.wireless ? kAdapterWireless : kAdapterWired;
  for (const platform::Ipv4Address& ip : n.addresses) AddAddress(a.addresses, ip.address, ip.mask);
  for (const platform::DefaultGateway& g : config.gateways)
    if (g.interfaceName == n.name) AddAddress(a.gateways, g.address, "");
  AddDhcp(a, n.name, config.leases);
  for (const std::string& server : config.nameServers) AddAddress(a.dnsServers, server, "");
  return a;
}

struct Caches {
  TNetCache names;
  TNetCache addresses;
};

// The caches live as long as the program; start-up and shut-down empty them.
Caches& TheCaches() {
  static Caches caches;
  return caches;
}

void ClearCaches() {
  TheCaches().names.Clear();
  TheCaches().addresses.Clear();
}

}  // namespace

bool IsUsableAddress(const std::string& address) {
  return !address.empty() && address != "0.0.0.0" && address != "255.255.255.255" &&
         address.rfind("127.0.", 0) != 0;
}

TLanAdapterList LanAdaptersOf(const std::vector<platform::NetworkInterface>& interfaces,
                              const platform::NetworkConfig& config) {
  TLanAdapterList list;
  for (const platform::NetworkInterface& n : interfaces) {
    if (n.loopback || n.hardwareType != platform::kHardwareEthernet) continue;
    TLanAdapter a = AdapterOf(n, config);
    if (!a.addresses.empty()) list.push_back(std::move(a));
  }
  return list;
}

TLanAdapterList GetLanAdapters() {
  const std::vector<platform::NetworkInterface> interfaces = platform::ListNetworkInterfaces();
  if (interfaces.empty()) return {};
  return LanAdaptersOf(interfaces, platform::ReadNetworkConfig());
}

void Initialize() { ClearCaches(); }
void Finalize() { ClearCaches(); }

TNetCache& NameCache() { return TheCaches().names; }
TNetCache& AddressCache() { return TheCaches().addresses; }

}  // namespace ipwinapi
