#include "support/TempDir.h"

#include <atomic>
#include <filesystem>
#include <fstream>
#include <random>
#include <sstream>
#include <stdexcept>

#include "platform/FileSystem.h"

namespace fs = std::filesystem;

CTempDir::CTempDir() {
    static std::atomic<unsigned> counter{0};
    std::random_device seed;
    const fs::path base = fs::temp_directory_path();
    for (int attempt = 0; attempt < 100; ++attempt) {
        const fs::path candidate =
            base / ("brivanto-test-" + std::to_string(seed()) + "-" + std::to_string(counter++));
        if (fs::create_directory(candidate)) {
            m_strPath = candidate.string();
            return;
        }
    }
    throw std::runtime_error("cannot create a temporary folder");
}

CTempDir::~CTempDir() {
    std::error_code ignored;
    // Make read-only leftovers removable first.
    for (auto it = fs::recursive_directory_iterator(m_strPath, ignored);
         it != fs::recursive_directory_iterator(); it.increment(ignored)) {
        if (!it->is_symlink(ignored))
            fs::permissions(it->path(), fs::perms::owner_all, fs::perm_options::add, ignored);
    }
    fs::remove_all(m_strPath, ignored);
}

std::string CTempDir::operator/(const std::string& name) const {
    return m_strPath + platform::kPathSeparator + name;
}

std::string ReadBytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in) return "<missing>";
    std::ostringstream bytes;
    bytes << in.rdbuf();
    return bytes.str();
}

void WriteBytes(const std::string& path, const std::string& bytes) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    if (!out) throw std::runtime_error("cannot write " + path);
}

bool FileExists(const std::string& path) {
    std::error_code ignored;
    return fs::exists(fs::symlink_status(path, ignored));
}
