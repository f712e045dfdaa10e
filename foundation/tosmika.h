// Releasing the optional name libraries "velnara.so" and "tosmika.so" at
// shut-down. Nothing in the program calls them otherwise.
#pragma once

#include <string>

namespace tosmika {

inline const std::string kVelnaraName = "velnara.so";
inline const std::string kTosmikaName = "tosmika.so";

// Shut-down step: loads programDir's velnara.so, else its tosmika.so (only
// that folder counts); accepts it only when it exports "TosmikaLibVersion",
// "JeTosmika", "ReleaseTosmika" and "ReleaseVelnara", calls the two release
// functions and frees it. True when a library was released.
bool Release(const std::string& programDir);

}  // namespace tosmika
