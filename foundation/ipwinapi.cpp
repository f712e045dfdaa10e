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

TLanAdapter AdapterOf(const platform::NetworkInterface& n) {
  TLanAdapter a;
  a.name = Utf8::Left(n.name, kMaxNameChars);
  a.description = Utf8::Left(n.name, kMaxDescriptionChars);
  a.hardwareAddress = HexPairs(n.hardwareAddress);
  a.kind = n.wireless ? kAdapterWireless : kAdapterWired;
  for (const platform::Ipv4Address& ip : n.addresses)
    if (IsUsableAddress(ip.address)) a.addresses.push_back({ip.address, ip.mask});
  return a;
}

}  // namespace

bool IsUsableAddress(const std::string& address) {
  return !address.empty() && address != "0.0.0.0" && address != "255.255.255.255" &&
         address.rfind("127.0.", 0) != 0;
}

TLanAdapterList LanAdaptersOf(const std::vector<platform::NetworkInterface>& interfaces) {
  TLanAdapterList list;
  for (const platform::NetworkInterface& n : interfaces) {
    if (n.loopback || n.hardwareType != platform::kHardwareEthernet) continue;
    TLanAdapter a = AdapterOf(n);
    if (!a.addresses.empty()) list.push_back(std::move(a));
  }
  return list;
}

TLanAdapterList GetLanAdapters() { return LanAdaptersOf(platform::ListNetworkInterfaces()); }

}  // namespace ipwinapi
