#pragma once
// A fresh folder under the system's temporary folder, removed with everything in it at the end.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

class TempDir {
  public:
    TempDir() {
        std::string pattern = (std::filesystem::temp_directory_path() / "listaro-XXXXXX").string();
        if (::mkdtemp(pattern.data()) == nullptr) ADD_FAILURE() << "mkdtemp failed";
        path_ = pattern;
    }
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;
    ~TempDir() {
        std::error_code ignored;
        std::filesystem::remove_all(path_, ignored);
    }

    // The folder; ASCII, so the same text in GBK and on disk.
    const std::string& path() const { return path_; }
    std::string file(const std::string& name) const { return path_ + "/" + name; }

    // Whole-file helpers on paths as the disk spells them (UTF-8).
    static std::string read(const std::string& diskPath) {
        std::ifstream in(diskPath, std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    }
    static void write(const std::string& diskPath, const std::string& bytes) {
        std::ofstream out(diskPath, std::ios::binary | std::ios::trunc);
        out << bytes;
    }

  private:
    std::string path_;
};
