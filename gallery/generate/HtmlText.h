// Text put into the generated HTML pages: escaping for element content and
// attribute values, and file names made safe for href and src. Pages are
// built in UTF-8 and encoded into their declared character set last
// (platform::EncodeWithReferences), so nothing here knows the character set.
#pragma once

#include <string>
#include <string_view>

namespace HtmlText {

// text safe inside an element or a quoted attribute value: "&", "<", ">",
// '"' and "'" become references; other control characters than tab, CR and
// LF become "&#65533;" (the replacement character), so no text a user or a
// photo carries can start markup, end an attribute or reach a script.
std::string Escape(std::string_view text);

// A file name (or a relative path of names joined by "/") as a URL path:
// every byte but the letters, digits, "-", ".", "_", "~" and "/" is
// percent-encoded ("a #1.jpg" -> "a%20%231.jpg"; letters beyond ASCII as
// their UTF-8 bytes), so the link reaches the file of exactly that name in
// any character set, over HTTP and file://. The result needs no escaping.
std::string UrlPath(std::string_view name);

}  // namespace HtmlText
