// One-call per-user settings of small dialogs: each call opens the
// application's registry key (current user, "Software\Brellion\" + appName,
// "miscapp" for an empty name), reads or writes one value directly in that
// key, and writes it back at once. Failures are silent: a missing value reads
// as "" or 0 (false).
#pragma once

#include <cstdint>
#include <string>

namespace appcfg {

void WriteString(const std::string& key, const std::string& value, const std::string& appName);
// Stored as a 64-bit number.
void WriteInteger(const std::string& key, int64_t value, const std::string& appName);
// Stored as the number 1 or 0.
void WriteBool(const std::string& key, bool value, const std::string& appName);
std::string ReadString(const std::string& key, const std::string& appName);
// The stored number taken as a 32-bit number.
int32_t ReadInteger(const std::string& key, const std::string& appName);
// True only for a stored 1.
bool ReadBool(const std::string& key, const std::string& appName);

}  // namespace appcfg
