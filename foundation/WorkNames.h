// The names the program gives files for a moment: a photo renamed in two
// passes, the new photo a rewrite writes beside the old one, the work files
// of a replacement. Each name carries kMark, a part no camera or user gives
// a name, so that the program takes for its own leftovers only names it
// made: a user's "x.jpg.tmp" or "photo.jpg-tmp" is never renamed or removed.
// (The platform's work files, platform/WorkFile.h, begin with it too.)
#pragma once

#include <string>
#include <string_view>

namespace WorkNames {

inline constexpr char kMark[] = ".~qm";

// The thumbnail a gallery generation works on in the private temporary
// folder, "quillmarsh_genhtml_tmp." + its process id + ".jpg", held locked
// while the generation runs (platform/HeldFile.h).
inline constexpr std::string_view kGenerationThumbnail = "quillmarsh_genhtml_tmp.";
inline constexpr std::string_view kGenerationThumbnailExt = ".jpg";

inline std::string GenerationThumbnailName(long pid) {
  return std::string(kGenerationThumbnail) + std::to_string(pid) +
         std::string(kGenerationThumbnailExt);
}

// True for a name GenerationThumbnailName gives.
inline bool IsGenerationThumbnailName(std::string_view name) {
  if (!name.starts_with(kGenerationThumbnail) || !name.ends_with(kGenerationThumbnailExt))
    return false;
  const std::string_view pid = name.substr(
      kGenerationThumbnail.size(),
      name.size() - kGenerationThumbnail.size() - kGenerationThumbnailExt.size());
  if (pid.empty() || pid.size() > 10 || pid[0] == '0') return false;
  for (const char c : pid)
    if (c < '0' || c > '9') return false;
  return true;
}

}  // namespace WorkNames
