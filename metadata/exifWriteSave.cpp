// One save of pending edits, all or nothing: either every value is
// overwritten in place, after every place was checked, or one rebuilt
// segment carries every edit and replaces the photo's once.
#include "foundation/DosFunc.h"
#include "foundation/StrFunc.h"
#include "metadata/exif.h"
#include "metadata/exifDataBlock.h"
#include "metadata/exifSegment.h"
#include "metadata/exifSegmentWork.h"

namespace {


struct DateEdit {
  TDateTime& value;
  bool& changed;
};

}  // namespace

bool TExifReader::SaveParts(unsigned parts) {
  if (fileName_.empty()) return false;
  const bool rebuild = NeedsRebuild(parts);
  const bool ok = rebuild ? SaveByRebuild(parts) : SaveInPlace(parts);
  // The segment file a killed rebuild left in the temporary folder holds a
  // photo's EXIF, its position too: every save takes it away (a rebuild
  // with its own), whatever the outcome.
  if (!rebuild) exif::RemoveWorkSegmentLeftover();
  Reload();
  TExifValues& v = values_;
  if (ok && (parts & kSaveDates))
    v.dateTimeChanged = v.dateTimeOriginalChanged = v.dateTimeDigitizedChanged = false;
  if (ok && (parts & kSaveGps)) v.latitudeChanged = v.longitudeChanged = v.altitudeChanged = false;
  return ok;
}

// A photo without EXIF receives the minimal segment for its dates and pixel
// size, and for any other edit it has.
bool TExifReader::NeedsRebuild(unsigned parts) const {
  const bool rebuild = ((parts & kSaveComment) && CommentChanged()) ||
                       ((parts & kSaveGps) && GpsNeedsRebuild());
  return rebuild || (!HasExif() && (parts & (kSaveDates | kSavePixelSize)));
}

// Writes nothing unless every value has its place; a work file a killed
// rebuild left beside the photo goes with the write.
bool TExifReader::SaveInPlace(unsigned parts) {
  Writes writes;
  if ((parts & kSaveSpecialMode) && !SpecialModeWrites(writes)) return false;
  if (parts & kSaveDates) DateWrites(writes);
  if ((parts & kSavePixelSize) && !PixelSizeWrites(writes)) return false;
  if (parts & kSaveGps) {
    TExifDataBlock unplaced = TExifDataBlock::ForKind(exif::kGpsIfd);
    AddGpsEdits(unplaced, writes, true);
  }
  if (writes.empty()) return true;
  const exif::TPhotoLock lock(fileName_);
  if (!lock.Held()) return false;
  exif::RemoveLeftover(fileName_);
  return WriteAt(writes);
}

// The segment is rebuilt in the work file with the comment and the GPS
// entries the photo lacks, the values of fixed length are written into it,
// and the transplant (which also puts in the real pixel size) replaces the
// photo once.
bool TExifReader::SaveByRebuild(unsigned parts) {
  const exif::TWorkSegment work;
  if (!work.Held()) return false;
  const std::string& path = work.Path();
  return StartWorkSegment(path) && (!(parts & kSaveComment) || PutCommentInto(path)) &&
         (!(parts & kSaveGps) || PutGpsInto(path)) && StampSegment(path, parts) &&
         exif::TransplantExif(fileName_, path, false);
}

// The dates and GPS values of the saved parts, written at their places in
// the rebuilt segment, where every GPS entry now has one. The minimal
// segment's sample dates become the photo's last-write time unless this save
// sets them.
bool TExifReader::StampSegment(const std::string& segmentFile, unsigned parts) const {
  TExifReader segment;
  if (!segment.ReadFromFile(segmentFile)) return false;
  TExifEditState edits = values_;
  if (!(parts & kSaveDates))
    edits.dateTimeChanged = edits.dateTimeOriginalChanged = edits.dateTimeDigitizedChanged = false;
  if (!(parts & kSaveGps))
    edits.latitudeChanged = edits.longitudeChanged = edits.altitudeChanged = false;
  if (!HasExif()) {
    const TDateTime photoTime = DosFunc::GetFileDateTime(fileName_);
    const DateEdit dates[] = {{edits.dateTime, edits.dateTimeChanged},
                              {edits.dateTimeOriginal, edits.dateTimeOriginalChanged},
                              {edits.dateTimeDigitized, edits.dateTimeDigitizedChanged}};
    for (const DateEdit& d : dates) {
      if (!d.changed) d.value = photoTime;
      d.changed = true;
    }
  }
  segment.RestoreEditState(edits);
  Writes writes;
  segment.DateWrites(writes);
  TExifDataBlock unplaced = TExifDataBlock::ForKind(exif::kGpsIfd);
  segment.AddGpsEdits(unplaced, writes, true);
  return unplaced.Fields().empty() && segment.WriteAt(writes);
}

// An emptied comment takes the entry out; any other replaces it.
bool TExifReader::PutCommentInto(const std::string& segmentFile) const {
  if (!CommentChanged()) return true;
  constexpr uint16_t kComment = exif::photo::kUserComment;
  const std::string text = GetUserComment();
  if (StrFunc::Trim(text).empty()) {
    int damage = 0;
    uint32_t size = 0, offset = 0, entry = 0;
    const bool present = exif::FindTagInSegment(segmentFile, exif::kExifIfd, kComment, damage,
                                                size, offset, entry);
    return !present || exif::DeleteTagFromSegment(segmentFile, exif::kExifIfd, kComment);
  }
  TExifDataBlock block = TExifDataBlock::ForKind(exif::kExifIfd);
  block.AddUserComment(text, !IsIntelOrder());
  return exif::WriteBlockIntoSegment(segmentFile, block);
}
