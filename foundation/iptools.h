// Network facts kept for the whole run: the machine's adapter list and a
// table of well-known network services.
#pragma once

#include <string>
#include <vector>

#include "foundation/ipconfig.h"

namespace iptools {

// One row of the service table.
struct TService {
  std::string name;         // "FTP"
  std::string port;         // "21"
  std::string description;  // "FTP server"
};

// Start-up step: starts ipwinapi, builds the service table and reads a fresh
// adapter list.
void Initialize();
// Shut-down step: frees both, then ends ipwinapi.
void Finalize();

// The service table in its fixed order; empty before Initialize.
const std::vector<TService>& Services();
// The adapter list read by Initialize.
const TLanAdapterList& Adapters();

}  // namespace iptools
