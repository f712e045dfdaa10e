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
