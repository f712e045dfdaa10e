// What Linux tells about the machine's IPv4 set-up beyond the interfaces
// themselves: the default gateways of the kernel's routing table, the
// resolver's name servers and the leases of DHCP clients. Each parser takes
// the file's text, trusts none of it and keeps only what reads as a whole,
// valid entry; each reader gives empty results where the file is missing or
// unreadable.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace platform {

struct DefaultGateway {
  std::string interfaceName;  // "eth0"
  std::string address;        // dotted decimal
};

// The routes of /proc/net/route to 0.0.0.0/0 that are up and go through a
// gateway, in table order.
std::vector<DefaultGateway> ParseDefaultGateways(std::string_view routeTable);
std::vector<DefaultGateway> ReadDefaultGateways();

// The IPv4 addresses of the "nameserver" lines of resolv.conf, in order;
// other addresses (IPv6) are left out.
std::vector<std::string> ParseNameServers(std::string_view resolvConf);
// /etc/resolv.conf. When that names no server outside 127.0.0.0/8 (a local
// caching stub), the servers the stub of systemd-resolved asks
// (/run/systemd/resolve/resolv.conf) are given instead.
std::vector<std::string> ReadNameServers();

// One DHCP lease as the systemd DHCP client writes it (systemd-networkd, and
// NetworkManager's internal client): "KEY=value" lines.
struct DhcpLease {
  std::string interfaceName;
  std::string address;  // ADDRESS: the address leased
  std::string server;   // SERVER_ADDRESS: the DHCP server; empty when not given
};

// Fills address and server from a lease text; false when it names no valid
// IPv4 address. A server that is not a valid address is left empty.
bool ParseDhcpLease(std::string_view text, DhcpLease& lease);
// The interface a NetworkManager lease file belongs to, from its name
// "internal-<connection uuid>-<interface>.lease"; empty for another name.
std::string LeaseFileInterface(std::string_view fileName);
// The lease files of systemd-networkd (/run/systemd/netif/leases/<index>)
// and of NetworkManager (/var/lib/NetworkManager). A lease file may outlive
// its lease: callers check the address against the interface's own.
std::vector<DhcpLease> ReadDhcpLeases();

// Everything above at once.
struct NetworkConfig {
  std::vector<DefaultGateway> gateways;
  std::vector<std::string> nameServers;
  std::vector<DhcpLease> leases;
};
NetworkConfig ReadNetworkConfig();

}  // namespace platform
