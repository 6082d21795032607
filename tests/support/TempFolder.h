#pragma once
// A fresh folder under the system's temporary folder, removed with everything in it at the end.
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <string>

class TempFolder {
  public:
    TempFolder() {
        std::string pattern = (std::filesystem::temp_directory_path() / "listaro-XXXXXX").string();
        path_ = mkdtemp(pattern.data()) ? pattern : std::string();
    }
    ~TempFolder() {
        std::error_code ignored;
        std::filesystem::remove_all(path_, ignored);
    }
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;

    // The folder's path, without a trailing "/".
    const std::string& path() const { return path_; }

  private:
    std::string path_;
};
