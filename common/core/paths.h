#pragma once
// Path routines. Paths from the suite's files and catalogue use backslashes, paths of this platform
// use slashes: every routine here accepts both as separators.
#include <string>
#include <string_view>

namespace km {

bool IsPathSeparator(char c);

// Drive and directory, without a trailing separator unless the directory is the root alone
// ("/", "C:\"). Empty for a bare file name.
std::string DirectoryOf(std::string_view path);

// The part after the last separator (the whole path when there is none).
std::string FileNameOf(std::string_view path);

// The part after the last point when that point follows the last separator; else empty.
std::string ExtensionOf(std::string_view path);

// Shortens a path in place for display in a space of about maxLength characters: keeps the volume
// and first directory, replaces the middle by "...", and falls back to the file name alone.
void AbbreviatePath(std::string& path, int maxLength);

// dir and name joined by this platform's separator (name alone when dir is empty).
std::string JoinPath(std::string_view dir, std::string_view name);

// The temporary directory: TMPDIR when set, else /tmp.
std::string TempDirectory();

// Creates a new, empty file with a unique name starting with prefix in the temporary directory and
// returns its path; empty when no file could be made.
std::string MakeTempFileName(std::string_view prefix);

// Copies a file. The copy is written beside the target and renamed over it only once complete, so a
// failed copy leaves the target as it was.
bool CopyFileTo(const std::string& from, const std::string& to);

bool DeleteFile(const std::string& path);

// Gives the owner write permission again (the platform's read-only attribute).
bool ClearReadOnly(const std::string& path);

// True when the file exists and its owner may not write it.
bool IsReadOnlyFile(const std::string& path);

}  // namespace km
