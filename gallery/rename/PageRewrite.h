// Rewriting the pages of a generated gallery after its photos were renamed:
// every reference to a renamed photo's outputs takes the new names, all at
// once, so that photos that swapped names keep their links. A reference is
// replaced only whole, in the form the page writers (GalleryPages.h) give
// it: a link (href or src) that is exactly the photo page, "../th/" and the
// thumbnail, "../foto/" and the resized photo or "../exif/" and the EXIF page
// (HtmlText::UrlPath of the lower-cased names), and the file name shown
// after "filename: " or "soubor: " (HtmlText::Escape, encoded in the page's
// character set). So "img1" is never replaced inside "img10".
#pragma once

#include <map>
#include <string>
#include <string_view>
#include <unordered_map>
#include <utility>
#include <vector>

namespace PageRewrite {

// The new forms of the references to renamed photos.
class TPageNames {
 public:
  // renames: old and new photo file names.
  explicit TPageNames(const std::vector<std::pair<std::string, std::string>>& renames);

  // The new link for a link value; nullptr when it names no renamed output.
  const std::string* NewLink(std::string_view link) const;
  // The new shown file name for the shown one in a page of charset; nullptr
  // when it is no renamed photo's.
  const std::string* NewShownName(std::string_view shown, const std::string& charset) const;
  bool Empty() const { return links_.empty(); }

 private:
  std::vector<std::pair<std::string, std::string>> names_;  // lower-cased, escaped
  std::unordered_map<std::string, std::string> links_;
  // Per character set, the encoded shown names.
  mutable std::map<std::string, std::unordered_map<std::string, std::string>> shown_;
};

// The character set a page declares ("charset=" in its head); empty when none.
std::string DeclaredCharset(std::string_view page);

// The page with its references replaced; false (out untouched) when it holds
// none.
bool RewritePageReferences(std::string_view page, const TPageNames& names, std::string& out);

}  // namespace PageRewrite
