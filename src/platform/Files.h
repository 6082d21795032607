#pragma once
// Whole-file reading and atomic replacement. Paths are GBK, as the program holds them; on disk
// file names are UTF-8, converted here at the boundary.
#include <string>
#include <string_view>

// The path as the operating system takes it.
std::string diskPath(std::string_view gbkPath);

// A hidden file beside path: its folder + "." + its name + suffix.
std::string hiddenSiblingPath(std::string_view path, std::string_view suffix);

// Reads the whole file into content. False, with content empty, when it is missing or unreadable.
bool readWholeFile(std::string_view gbkPath, std::string& content);

// Writes content to a temporary file in the same folder, flushes it to the disk, renames it over
// gbkPath and flushes the folder, so that a process killed at any moment leaves the old or the new
// file, never a mix, and a true result means the new file is on the disk.
// The temporary name is fixed ("." + name + ".new"): callers hold a lock when several writers may
// race. False when any step fails; a failure before the rename leaves the old file untouched.
bool replaceFileAtomically(std::string_view gbkPath, std::string_view content);

// True when the file exists or could be created empty (never truncated), and may be written.
bool ensureWritableFile(std::string_view gbkPath);
