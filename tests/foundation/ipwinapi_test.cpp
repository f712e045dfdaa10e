#include "foundation/ipwinapi.h"

#include <gtest/gtest.h>

#include "foundation/iptools.h"

namespace {

using platform::NetworkInterface;

NetworkInterface Interface(const char* name, int type, std::vector<platform::Ipv4Address> ips) {
  NetworkInterface n;
  n.name = name;
  n.hardwareType = type;
  n.hardwareAddress = {0x00, 0x1a, 0x2b, 0xfc, 0x4d, 0x05};
  n.addresses = std::move(ips);
  return n;
}

TEST(ipwinapi, KeepsEthernetAdaptersWithUsableAddresses) {
  NetworkInterface lo = Interface("lo", 772, {{"127.0.0.1", "255.0.0.0"}});
  lo.loopback = true;
  NetworkInterface wlan = Interface("wlan0", platform::kHardwareEthernet,
                                    {{"0.0.0.0", ""}, {"192.168.1.7", "255.255.255.0"}});
  wlan.wireless = true;
  const TLanAdapterList list = ipwinapi::LanAdaptersOf({
      lo,
      Interface("eth0", platform::kHardwareEthernet, {{"10.0.0.2", "255.0.0.0"}}),
      Interface("eth1", platform::kHardwareEthernet, {{"127.0.1.1", ""}, {"255.255.255.255", ""}}),
      Interface("tun0", 65534, {{"10.8.0.1", "255.255.255.0"}}),
      wlan,
  });
  ASSERT_EQ(list.size(), 2u);
  EXPECT_EQ(list[0].name, "eth0");
  EXPECT_EQ(list[0].hardwareAddress, "00:1A:2B:FC:4D:05");
  EXPECT_EQ(list[0].kind, kAdapterWired);
  EXPECT_EQ(list[1].name, "wlan0");
  EXPECT_EQ(list[1].kind, kAdapterWireless);
  ASSERT_EQ(list[1].addresses.size(), 1u);
  EXPECT_EQ(list[1].addresses[0].address, "192.168.1.7");
  EXPECT_EQ(list[1].addresses[0].mask, "255.255.255.0");
}

std::vector<std::string> Addresses(const TIPAddressList& list) {
  std::vector<std::string> out;
  for (const TIPAddress& a : list) out.push_back(a.address);
  return out;
}

TEST(ipwinapi, GatewaysDhcpAndDnsFromTheSystemSetUp) {
  NetworkInterface wlan = Interface("wlan0", platform::kHardwareEthernet, {{"10.0.0.7", ""}});
  wlan.wireless = true;
  platform::NetworkConfig config;
  config.gateways = {{"eth0", "192.168.1.1"}, {"wlan0", "10.0.0.1"}, {"eth0", "192.168.1.1"},
                     {"eth9", "172.16.0.1"}};
  config.nameServers = {"127.0.0.53", "192.168.1.1", "9.9.9.9", "192.168.1.1"};
  config.leases = {{"eth0", "192.168.1.77", "192.168.1.3"},  // an old lease of eth0
                   {"eth0", "192.168.1.50", "192.168.1.2"},
                   {"wlan0", "10.0.0.5", "10.0.0.1"},        // only an old one for wlan0
                   {"eth0", "192.168.1.50", ""}};
  const TLanAdapterList list = ipwinapi::LanAdaptersOf(
      {Interface("eth0", platform::kHardwareEthernet, {{"192.168.1.50", "255.255.255.0"}}), wlan},
      config);
  ASSERT_EQ(list.size(), 2u);
  const std::vector<std::string> dns = {"192.168.1.1", "9.9.9.9"};
  EXPECT_EQ(Addresses(list[0].gateways), (std::vector<std::string>{"192.168.1.1"}));
  EXPECT_TRUE(list[0].dhcpEnabled);
  EXPECT_EQ(Addresses(list[0].dhcpServers), (std::vector<std::string>{"192.168.1.2"}));
  EXPECT_EQ(Addresses(list[0].dnsServers), dns);
  EXPECT_EQ(Addresses(list[1].gateways), (std::vector<std::string>{"10.0.0.1"}));
  EXPECT_FALSE(list[1].dhcpEnabled);
  EXPECT_TRUE(list[1].dhcpServers.empty());
  EXPECT_EQ(Addresses(list[1].dnsServers), dns);

  const TLanAdapterList bare = ipwinapi::LanAdaptersOf(
      {Interface("eth0", platform::kHardwareEthernet, {{"192.168.1.50", ""}})});
  ASSERT_EQ(bare.size(), 1u);
  EXPECT_FALSE(bare[0].dhcpEnabled);
  EXPECT_TRUE(bare[0].gateways.empty() && bare[0].dhcpServers.empty() && bare[0].dnsServers.empty());
}

TEST(ipwinapi, NetCachesLastFromStartUpToShutDown) {
  TNetCache cache;
  std::string value = "untouched";
  EXPECT_FALSE(cache.Find("host", value));
  EXPECT_EQ(value, "untouched");
  cache.Put("host", "10.0.0.1");
  cache.Put("other", "10.0.0.2");
  cache.Put("host", "10.0.0.3");
  EXPECT_EQ(cache.Count(), 2u);
  ASSERT_TRUE(cache.Find("host", value));
  EXPECT_EQ(value, "10.0.0.3");
  EXPECT_FALSE(cache.Find("HOST", value));
  cache.Clear();
  EXPECT_FALSE(cache.Find("other", value));

  iptools::Initialize();
  ipwinapi::NameCache().Put("host", "10.0.0.1");
  ipwinapi::AddressCache().Put("10.0.0.1", "host");
  iptools::Finalize();
  EXPECT_EQ(ipwinapi::NameCache().Count() + ipwinapi::AddressCache().Count(), 0u);
}

TEST(iptools, ServiceTableKeepsItsOrderAndTexts) {
  iptools::Initialize();
  const std::vector<iptools::TService>& s = iptools::Services();
  ASSERT_EQ(s.size(), 31u);
  EXPECT_EQ(s[3].name + " " + s[3].port + " " + s[3].description, "SMTP 25 Odchozí pošta");
  EXPECT_EQ(s[10].port, "110");  // after NTP, as the table has it
  EXPECT_EQ(s[30].name + " " + s[30].port, "HTTP 8888");
  iptools::Finalize();
  EXPECT_TRUE(iptools::Services().empty());
}

}  // namespace
