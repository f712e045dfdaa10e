// Web pages the program shows the user (the map of a position, the home
// page) open in the desktop's browser. When none can be started, the user
// is told so rather than left waiting for a page that never comes.
#pragma once

#include <string>

namespace WebPage {

// Opens url with the desktop's browser (platform::OpenDocument). When that
// fails, tells the user in a message box naming the address (on standard
// error in a program without windows, as GPS-view mode is) and returns
// false.
bool Open(const std::string& url);

}  // namespace WebPage
