#include "platform/NetworkConfig.h"

#include <arpa/inet.h>
#include <net/if.h>

#include <charconv>
#include <cstdint>
#include <cstring>

#include "platform/FileSystem.h"
#include "platform/TextFile.h"
#include "platform/TextLines.h"

namespace platform {

namespace {

// Route flags of the kernel (RTF_UP, RTF_GATEWAY).
constexpr uint32_t kRouteUp = 0x1;
constexpr uint32_t kRouteGateway = 0x2;
// A routing table this long is not a desktop's; it is left unread.
constexpr size_t kMaxRouteTableBytes = 4 * 1024 * 1024;
constexpr size_t kMaxSmallFileBytes = 64 * 1024;
constexpr size_t kUuidLength = 36;

constexpr const char* kRouteTable = "/proc/net/route";
constexpr const char* kResolvConf = "/etc/resolv.conf";
constexpr const char* kResolvedUpstream = "/run/systemd/resolve/resolv.conf";
constexpr const char* kNetworkdLeases = "/run/systemd/netif/leases";
constexpr const char* kNetworkManagerDir = "/var/lib/NetworkManager";

bool IsBlank(char c) { return c == ' ' || c == '\t' || c == '\r'; }

std::string_view Trimmed(std::string_view s) {
  while (!s.empty() && IsBlank(s.front())) s.remove_prefix(1);
  while (!s.empty() && IsBlank(s.back())) s.remove_suffix(1);
  return s;
}

std::vector<std::string_view> Fields(std::string_view line) {
  std::vector<std::string_view> fields;
  size_t i = 0;
  while (i < line.size()) {
    while (i < line.size() && IsBlank(line[i])) ++i;
    const size_t start = i;
    while (i < line.size() && !IsBlank(line[i])) ++i;
    if (i > start) fields.push_back(line.substr(start, i - start));
  }
  return fields;
}

// One to eight hexadecimal digits and nothing else.
bool ParseHex32(std::string_view text, uint32_t& value) {
  if (text.empty() || text.size() > 8) return false;
  const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value, 16);
  return ec == std::errc() && end == text.data() + text.size();
}

// The kernel prints an address as the number its bytes in network order make
// in this machine's order, so those bytes are the number's own bytes here.
std::string DottedOf(uint32_t printed) {
  in_addr a{};
  std::memcpy(&a.s_addr, &printed, sizeof printed);
  char text[INET_ADDRSTRLEN] = {};
  return inet_ntop(AF_INET, &a, text, sizeof text) ? text : std::string();
}

// The address in its plain dotted form when text is a valid IPv4 address.
bool Ipv4(std::string_view text, std::string& dotted) {
  // inet_pton would stop at a NUL and take what came before it.
  if (text.empty() || text.size() >= INET_ADDRSTRLEN || text.find('\0') != std::string_view::npos)
    return false;
  const std::string z(text);
  in_addr a{};
  if (inet_pton(AF_INET, z.c_str(), &a) != 1) return false;
  char out[INET_ADDRSTRLEN] = {};
  if (inet_ntop(AF_INET, &a, out, sizeof out) == nullptr) return false;
  dotted = out;
  return true;
}

std::string ReadSmall(const std::string& path, size_t maxBytes) {
  std::string text;
  ReadWholeFile(path, maxBytes, text);
  return text;
}

std::vector<std::string> NameServersIn(const char* path) {
  return ParseNameServers(ReadSmall(path, kMaxSmallFileBytes));
}

bool AllLoopback(const std::vector<std::string>& servers) {
  for (const std::string& s : servers)
    if (s.rfind("127.", 0) != 0) return false;
  return true;
}

bool IsHexDigit(char c) {
  return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'f') || (c >= 'A' && c <= 'F');
}

// "3f2504e0-4f89-11d3-9a0c-0305e82c3301"
bool IsUuid(std::string_view s) {
  if (s.size() != kUuidLength) return false;
  for (size_t i = 0; i < s.size(); ++i) {
    const bool dashPlace = i == 8 || i == 13 || i == 18 || i == 23;
    if (dashPlace ? s[i] != '-' : !IsHexDigit(s[i])) return false;
  }
  return true;
}

void AddLease(std::vector<DhcpLease>& leases, const std::string& path, std::string interfaceName) {
  DhcpLease lease;
  if (interfaceName.empty() || !ParseDhcpLease(ReadSmall(path, kMaxSmallFileBytes), lease)) return;
  lease.interfaceName = std::move(interfaceName);
  leases.push_back(std::move(lease));
}

// systemd-networkd names its lease files by interface index.
std::string InterfaceOfIndex(std::string_view name) {
  unsigned index = 0;
  const auto [end, ec] = std::from_chars(name.data(), name.data() + name.size(), index);
  if (ec != std::errc() || end != name.data() + name.size() || index == 0) return std::string();
  char buffer[IF_NAMESIZE] = {};
  return if_indextoname(index, buffer) ? buffer : std::string();
}

}  // namespace

std::vector<DefaultGateway> ParseDefaultGateways(std::string_view routeTable) {
  std::vector<DefaultGateway> gateways;
  for (std::string_view line : SplitLines(routeTable)) {
    // Iface Destination Gateway Flags RefCnt Use Metric Mask ...; the header
    // line fails the number checks.
    const std::vector<std::string_view> f = Fields(line);
    uint32_t destination = 0, gateway = 0, flags = 0, mask = 0;
    if (f.size() < 8 || !ParseHex32(f[1], destination) || !ParseHex32(f[2], gateway) ||
        !ParseHex32(f[3], flags) || !ParseHex32(f[7], mask)) {
      continue;
    }
    const bool viaGateway = (flags & (kRouteUp | kRouteGateway)) == (kRouteUp | kRouteGateway);
    if (destination != 0 || mask != 0 || gateway == 0 || !viaGateway) continue;
    gateways.push_back({std::string(f[0]), DottedOf(gateway)});
  }
  return gateways;
}

std::vector<DefaultGateway> ReadDefaultGateways() {
  return ParseDefaultGateways(ReadSmall(kRouteTable, kMaxRouteTableBytes));
}

std::vector<std::string> ParseNameServers(std::string_view resolvConf) {
  std::vector<std::string> servers;
  for (std::string_view line : SplitLines(resolvConf)) {
    const std::vector<std::string_view> f = Fields(line);
    std::string dotted;
    if (f.size() >= 2 && f[0] == "nameserver" && Ipv4(f[1], dotted)) servers.push_back(dotted);
  }
  return servers;
}

std::vector<std::string> ReadNameServers() {
  std::vector<std::string> servers = NameServersIn(kResolvConf);
  if (!AllLoopback(servers)) return servers;
  std::vector<std::string> upstream = NameServersIn(kResolvedUpstream);
  return upstream.empty() ? servers : upstream;
}

bool ParseDhcpLease(std::string_view text, DhcpLease& lease) {
  lease.address.clear();
  lease.server.clear();
  for (std::string_view line : SplitLines(text)) {
    const size_t eq = line.find('=');
    if (eq == std::string_view::npos) continue;
    const std::string_view key = Trimmed(line.substr(0, eq));
    const std::string_view value = Trimmed(line.substr(eq + 1));
    if (key == "ADDRESS" && !Ipv4(value, lease.address)) lease.address.clear();
    if (key == "SERVER_ADDRESS" && !Ipv4(value, lease.server)) lease.server.clear();
  }
  return !lease.address.empty();
}

std::string LeaseFileInterface(std::string_view fileName) {
  constexpr std::string_view kPrefix = "internal-";
  constexpr std::string_view kSuffix = ".lease";
  if (!fileName.starts_with(kPrefix) || !fileName.ends_with(kSuffix)) return std::string();
  std::string_view middle = fileName.substr(kPrefix.size());
  middle.remove_suffix(kSuffix.size());
  if (middle.size() <= kUuidLength + 1 || !IsUuid(middle.substr(0, kUuidLength)) ||
      middle[kUuidLength] != '-') {
    return std::string();
  }
  return std::string(middle.substr(kUuidLength + 1));
}

std::vector<DhcpLease> ReadDhcpLeases() {
  std::vector<DhcpLease> leases;
  std::vector<DirEntry> entries;
  if (ListDirectory(kNetworkdLeases, entries)) {
    for (const DirEntry& e : entries)
      AddLease(leases, std::string(kNetworkdLeases) + "/" + e.name, InterfaceOfIndex(e.name));
  }
  if (ListDirectory(kNetworkManagerDir, entries)) {
    for (const DirEntry& e : entries)
      AddLease(leases, std::string(kNetworkManagerDir) + "/" + e.name, LeaseFileInterface(e.name));
  }
  return leases;
}

NetworkConfig ReadNetworkConfig() {
  return {ReadDefaultGateways(), ReadNameServers(), ReadDhcpLeases()};
}

}  // namespace platform
