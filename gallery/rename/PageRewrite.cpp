#include "gallery/rename/PageRewrite.h"

#include <algorithm>

#include "foundation/StrFunc.h"
#include "gallery/generate/GalleryLayout.h"
#include "gallery/generate/HtmlText.h"
#include "platform/TextCodec.h"

namespace PageRewrite {

namespace {

namespace L = GalleryLayout;

constexpr std::string_view kShownMarks[] = {"<br>filename: ", "<br>soubor: "};

char Lower(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }

// True when the attribute name that ends at end (exclusive) is href or src.
bool IsLinkAttribute(std::string_view page, size_t end) {
  size_t start = end;
  while (start > 0) {
    const char c = Lower(page[start - 1]);
    if (c < 'a' || c > 'z') break;
    --start;
  }
  std::string name;
  for (size_t i = start; i < end; ++i) name += Lower(page[i]);
  return name == "href" || name == "src";
}

// Appends line (without its line end) with the shown file name replaced.
void RewriteShownName(std::string_view line, const TPageNames& names, const std::string& charset,
                      std::string& out, bool& changed) {
  for (const std::string_view mark : kShownMarks) {
    const size_t at = line.rfind(mark);
    if (at == std::string_view::npos) continue;
    const size_t start = at + mark.size();
    if (const std::string* fresh = names.NewShownName(line.substr(start), charset)) {
      out.append(line.substr(0, start));
      out += *fresh;
      changed = true;
      return;
    }
  }
  out.append(line);
}

}  // namespace

TPageNames::TPageNames(const std::vector<std::pair<std::string, std::string>>& renames) {
  using HtmlText::UrlPath;
  for (const auto& [from, to] : renames) {
    const std::pair<std::string, std::string (*)(const std::string&)> forms[] = {
        {"", L::PhotoPageName},
        {std::string("../") + L::kThumbFolder + "/", L::ThumbnailName},
        {std::string("../") + L::kPhotoFolder + "/", L::SitePhotoName},
        {std::string("../") + L::kExifFolder + "/", L::ExifPageName},
    };
    for (const auto& [folder, name] : forms) links_[folder + UrlPath(name(from))] = folder + UrlPath(name(to));
    names_.emplace_back(HtmlText::Escape(StrFunc::LowerCaseCz(from)), HtmlText::Escape(StrFunc::LowerCaseCz(to)));
  }
}

const std::string* TPageNames::NewLink(std::string_view link) const {
  const auto found = links_.find(std::string(link));
  return found == links_.end() ? nullptr : &found->second;
}

const std::string* TPageNames::NewShownName(std::string_view shown, const std::string& charset) const {
  auto made = shown_.find(charset);
  if (made == shown_.end()) {
    std::unordered_map<std::string, std::string> encoded;
    for (const auto& [from, to] : names_) {
      std::string oldText, newText;
      if (platform::EncodeWithReferences(from, charset, oldText) &&
          platform::EncodeWithReferences(to, charset, newText))
        encoded[oldText] = newText;
    }
    made = shown_.emplace(charset, std::move(encoded)).first;
  }
  const auto found = made->second.find(std::string(shown));
  return found == made->second.end() ? nullptr : &found->second;
}

std::string DeclaredCharset(std::string_view page) {
  std::string lower;
  for (const char c : page.substr(0, std::min(page.size(), page.find("</head>")))) lower += Lower(c);
  const size_t at = lower.find("charset=");
  if (at == std::string::npos) return std::string();
  const size_t start = at + 8;
  const size_t end = lower.find_first_of("\"'; >", start);
  return std::string(page.substr(start, (end == std::string::npos ? lower.size() : end) - start));
}

bool RewritePageReferences(std::string_view page, const TPageNames& names, std::string& out) {
  bool changed = false;
  // The links: quotes open and close attribute values in turn (texts in a
  // page are escaped, so they hold none).
  std::string linked;
  linked.reserve(page.size());
  size_t done = 0;
  for (size_t open = page.find('"'); open != std::string_view::npos;) {
    const size_t close = page.find('"', open + 1);
    if (close == std::string_view::npos) break;
    if (open > 0 && page[open - 1] == '=' && IsLinkAttribute(page, open - 1)) {
      if (const std::string* fresh = names.NewLink(page.substr(open + 1, close - open - 1))) {
        linked.append(page.substr(done, open + 1 - done));
        linked += *fresh;
        done = close;
        changed = true;
      }
    }
    open = page.find('"', close + 1);
  }
  linked.append(page.substr(done));

  // The shown file name, at the end of its line.
  const std::string charset = DeclaredCharset(page);
  std::string text;
  text.reserve(linked.size());
  for (size_t start = 0; start <= linked.size();) {
    size_t end = linked.find('\n', start);
    const bool last = end == std::string::npos;
    if (last) end = linked.size();
    size_t content = end;
    if (content > start && linked[content - 1] == '\r') --content;
    RewriteShownName(std::string_view(linked).substr(start, content - start), names, charset, text, changed);
    text.append(linked, content, end - content + (last ? 0 : 1));
    if (last) break;
    start = end + 1;
  }
  if (!changed) return false;
  out = std::move(text);
  return true;
}

}  // namespace PageRewrite
