#include "platform/NetworkInterfaces.h"

#include <arpa/inet.h>
#include <ifaddrs.h>
#include <net/if.h>
#include <netinet/in.h>
#include <netpacket/packet.h>
#include <sys/stat.h>

namespace platform {

namespace {

std::string Dotted(const sockaddr* sa) {
  if (sa == nullptr || sa->sa_family != AF_INET) return std::string();
  char text[INET_ADDRSTRLEN] = {};
  const auto* in = reinterpret_cast<const sockaddr_in*>(sa);
  return inet_ntop(AF_INET, &in->sin_addr, text, sizeof text) ? text : std::string();
}

NetworkInterface& Entry(std::vector<NetworkInterface>& list, const char* name) {
  for (NetworkInterface& n : list)
    if (n.name == name) return n;
  NetworkInterface n;
  n.name = name;
  struct stat st {};
  n.wireless = stat(("/sys/class/net/" + n.name + "/wireless").c_str(), &st) == 0;
  list.push_back(std::move(n));
  return list.back();
}

}  // namespace

std::vector<NetworkInterface> ListNetworkInterfaces() {
  std::vector<NetworkInterface> list;
  ifaddrs* all = nullptr;
  if (getifaddrs(&all) != 0) return list;
  for (const ifaddrs* a = all; a != nullptr; a = a->ifa_next) {
    if (a->ifa_name == nullptr || a->ifa_addr == nullptr) continue;
    NetworkInterface& n = Entry(list, a->ifa_name);
    n.loopback = n.loopback || (a->ifa_flags & IFF_LOOPBACK) != 0;
    if (a->ifa_addr->sa_family == AF_PACKET) {
      const auto* ll = reinterpret_cast<const sockaddr_ll*>(a->ifa_addr);
      n.hardwareType = ll->sll_hatype;
      const size_t len = ll->sll_halen <= sizeof ll->sll_addr ? ll->sll_halen : 0;
      n.hardwareAddress.assign(ll->sll_addr, ll->sll_addr + len);
    } else if (a->ifa_addr->sa_family == AF_INET) {
      n.addresses.push_back({Dotted(a->ifa_addr), Dotted(a->ifa_netmask)});
    }
  }
  freeifaddrs(all);
  return list;
}

}  // namespace platform
