// What the drive and folder lists of folder selection mode offer. A Linux machine has no drive
// letters: the "drives" are the root, the home directory, and the file systems mounted under
// /media, /mnt and /run/media (removable media and network shares land there).
#pragma once

#include <string>
#include <vector>

namespace lexiv::docpick {

// Program text paths, each ending in '/'.
std::vector<std::string> DrivePaths();
// The folder's subfolders (program text, ending in '/'), sorted, hidden ones left out; the parent
// folder first unless folder is the root.
std::vector<std::string> FolderChoices(const std::string& folder);
// Whether the folder can be listed.
bool FolderReadable(const std::string& folder);
// The drive of drivePaths that holds path (the longest prefix); 0 when none does.
int DriveOf(const std::vector<std::string>& drivePaths, const std::string& path);

}  // namespace lexiv::docpick
