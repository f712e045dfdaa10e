#include "foundation/iptools.h"

#include "foundation/ipwinapi.h"

namespace iptools {

namespace {

const TService kServiceTable[] = {
    {"FTP", "21", "FTP server"},
    {"SSH", "22", "Secure Shell"},
    {"Telnet", "23", "Telnet"},
    {"SMTP", "25", "Odchozí pošta"},
    {"DNS", "53", "DNS server"},
    {"DHCP", "67", "DHCP server"},
    {"TFTP", "69", "Trival FTP (boot)"},
    {"HTTP", "80", "Webový server (http)"},
    {"Kerberos", "88", "Kerberos autentizace"},
    {"NTP", "123", "Časový server"},
    {"POP3", "110", "Příchozí pošta (POP3)"},
    {"Netbios", "137", "Netbios"},
    {"Samba", "139", "Sdílení souborů"},
    {"IMAP", "143", "Poštovní schránka (IMAP)"},
    {"HTTPS", "443", "Webový server (secure)"},
    {"SMTPS", "465", "Ochozí pošta (secure)"},
    {"IMAPS", "993", "Poštovní schránka (IMAP-secure)"},
    {"POP3S", "995", "Příchozí pošta (POP3-secure)"},
    {"MSSQL", "1433", "Databáze Microsoft SQL"},
    {"MSSQL", "1434", "Databáze Microsoft SQL"},
    {"VPN", "1723", "VPN - Microsoft"},
    {"PPTP", "1723", "VPN - Microsoft"},
    {"OpenVPN", "1194", "VPN - OpenVPN"},
    {"Firebird", "3050", "Databáze Firebird"},
    {"MySQL", "3306", "Databáze MySQL"},
    {"RDP", "3389", "Vzdálená plocha"},
    {"PostgreSQL", "5432", "Databáze Postgre.SQL"},
    {"Nagios", "5666", "Nagios - sledování stavů"},
    {"LANPRN", "9100", "Síťová tiskárna"},
    {"HTTP", "8080", "Webový server (na 8080)"},
    {"HTTP", "8888", "Webový server (na 8888)"},
};

struct State {
  std::vector<TService> services;
  TLanAdapterList adapters;
};

State& TheState() {
  static State state;
  return state;
}

}  // namespace

void Initialize() {
  ipwinapi::Initialize();
  State& s = TheState();
  s.services.assign(std::begin(kServiceTable), std::end(kServiceTable));
  s.adapters = ipwinapi::GetLanAdapters();
}

void Finalize() {
  State& s = TheState();
  s.services.clear();
  s.adapters.clear();
  ipwinapi::Finalize();
}

const std::vector<TService>& Services() { return TheState().services; }

const TLanAdapterList& Adapters() { return TheState().adapters; }

}  // namespace iptools
