// One web-gallery project as plain values: the settings its gallery is
// generated with, as the project settings window shows them, the projects
// file stores them (HtmlProjectRec.h) and generation reads them. Fields are
// named after the window's controls.
#pragma once

#include <cstdint>
#include <string>

struct THtmlProject {
  // Item texts of CharCode and WebLanguage, by item index.
  static constexpr const char* kCharCodes[] = {"ISO-8859-1", "ISO-8859-2", "Windows-1250"};
  static constexpr const char* kWebLanguages[] = {"English", "Česky"};

  std::string PhotoFolder;   // the folder whose photos make the gallery
  std::string ProjectName;   // the pages' title
  std::string BrowseFolder;  // where the output-folder browser opens
  std::string HtmlDir;       // the output folder
  // Track bar positions 0..100; the JPEG quality used is 100 - position.
  int32_t ImageCompression = 75;
  int32_t TbCompression = 75;
  int32_t CharCode = 2;  // item index of kCharCodes, -1 for none
  bool KeepMaxImgSize = true;
  bool KeepTbMaxSize = true;
  // The size fields hold the edits' texts as typed; readers trim them.
  std::string TbMaxSize = "2560";   // bytes
  std::string ImgMaxSize = "40";    // kilobytes of 1024 bytes
  std::string ImgTolerance = "2";   // kilobytes
  std::string TbTolerance = "512";  // bytes
  // Steps of the quality search, carried by the window from run to run.
  int32_t PhotoQualityStep = 10;
  int32_t ThumbQualityStep = 6;
  int32_t WebLanguage = 1;  // item index of kWebLanguages, -1 for none
  // The rename dialog's pattern, first number and step.
  std::string FName = "img";
  std::string FromID = "1";
  std::string Step = "1";
  bool ForceNote = false;
  std::string Shortcut;  // the project's folder name on the FTP server
  bool DetailExifForWeb = true;
};

// A project window's whole state: its values, the record number they belong
// to (-1 for none) and whether they were changed since they were stored or
// loaded. Commands that run over every project keep it and put it back.
struct TProjectState {
  THtmlProject Values;
  int32_t ProjectIndex = -1;
  bool Unsaved = false;
};
