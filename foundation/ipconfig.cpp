#include "foundation/ipconfig.h"

#include <algorithm>

bool TNetCache::Find(const std::string& key, std::string& value) const {
  const auto it = std::find(keys_.begin(), keys_.end(), key);
  if (it == keys_.end()) return false;
  value = values_[static_cast<size_t>(it - keys_.begin())];
  return true;
}

void TNetCache::Put(const std::string& key, const std::string& value) {
  const auto it = std::find(keys_.begin(), keys_.end(), key);
  if (it != keys_.end()) {
    values_[static_cast<size_t>(it - keys_.begin())] = value;
    return;
  }
  keys_.push_back(key);
  values_.push_back(value);
}

void TNetCache::Clear() {
  keys_.clear();
  values_.clear();
}
