// Windows paths on the POSIX file system: drive letters map to folders of the
// prefix (C: to <prefix>/drive_c, Z: to /), and every component resolves
// without regard to ASCII letter case, as Windows file names do.
#pragma once

#include <string>

namespace layer {

enum class PathResult { Ok, PathNotFound, InvalidName, InvalidDrive, TooLong };

struct HostPath {
    std::string path;      // host path; the last component as found on disk, or as given when absent
    PathResult result;     // Ok when every folder before the last component exists
    bool exists = false;   // the final component exists
};

// Resolves a Windows path (absolute "C:\a\b", drive-relative, "\a" or relative to the
// current directory) to a host path.
HostPath ResolveWindowsPath(const std::string& windowsPath);
// The Windows spelling of a host path: under <prefix>/drive_c as C:\..., else Z:\...
std::string WindowsPathFromHost(const std::string& hostPath);
// The process's current directory as a Windows path, as GetCurrentDirectoryA reports it.
std::string CurrentWindowsDirectory();
// True when the host path's last component carries the hidden attribute: a
// name that starts with a dot.
bool IsHiddenName(const std::string& hostPath);
// Maps errno to the Win32 error code for a file operation.
unsigned long Win32ErrorFromErrno(int err);
// The Win32 error code for a path that did not resolve (result other than Ok).
unsigned long Win32ErrorFromPathResult(PathResult result);

// The prefix folder, made on first use with drive_c, drive_c/windows, its system
// folder and drive_c/Program Files.
const std::string& PrefixFolder();
// "C:\windows\system32" on the NT family, "C:\windows\system" on the Windows 95
// family (bit 31 of the version word).
std::string SystemDirectoryWindowsPath();

}  // namespace layer
