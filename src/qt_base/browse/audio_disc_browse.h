#pragma once
// Browsing an audio CD: while a browser is open the CD drive is asked, off the
// user-interface thread, whether it holds a disc with audio tracks; the drive
// list then offers the disc, and choosing it shows no folders and the tracks
// as files "Track01.cda", "Track02.cda" ... below a root named after the
// drive, so that the entries made of them play the disc's tracks.
#include <QObject>
#include <QString>
#include <QTimer>
#include <string>
#include <vector>

#include "cd/cd_drive.h"

class DriveList;
class FolderList;
class FileList;

class AudioDiscBrowse : public QObject {
  Q_OBJECT
 public:
  // device: the CD drive, a device or an image; "" for the default drive.
  AudioDiscBrowse(const std::string& device, DriveList* drives, FolderList* folders,
                  FileList* files);

  // When the drive list's choice is the disc: shows its tracks and answers true.
  bool show_if_chosen();
  // Asks the drive again (the list is opening, a disc may have come or gone).
  void ask_drive();

 private:
  void poll();

  CdDrive drive_;
  DriveList* drives_;
  FolderList* folders_;
  FileList* files_;
  QTimer poll_timer_;
  int polls_left_ = 0;
  std::string root_;
  QString caption_;
  std::vector<std::string> track_names_;
};
