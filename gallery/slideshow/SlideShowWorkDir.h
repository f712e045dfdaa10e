// The folder where slide-show work files live while they are needed: the
// project list "ssplist.tmp", "empty.lng", thumbnails, information records
// and pictures on their way into or out of a package. It is a subfolder of
// the private temporary folder that belongs to one process and one object,
// "slideshow-" + process id + "-" + a number, so the program and a show
// playing beside it never delete each other's files, and nothing is ever
// written beside the user's photos.
#pragma once

#include <string>

class TSlideShowWorkDir {
 public:
  // Makes the folder (mode 0700). Folders that processes which have ended
  // left behind are removed first.
  TSlideShowWorkDir();
  // Removes the folder with everything in it.
  ~TSlideShowWorkDir();
  TSlideShowWorkDir(const TSlideShowWorkDir&) = delete;
  TSlideShowWorkDir& operator=(const TSlideShowWorkDir&) = delete;

  // The folder with a trailing "/"; empty when it could not be made.
  const std::string& Path() const { return path_; }
  // Path() + name; empty without a folder.
  std::string File(const std::string& name) const;

 private:
  std::string path_;
};
