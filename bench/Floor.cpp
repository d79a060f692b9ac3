// The floor for a folder run: exactly the file-system operations of one "Go" (or "Restore
// Files") over a folder, as bare POSIX calls, with no conversion and no checks. No
// implementation can be faster than this.
//
//   floor go FOLDER        list; per terrain file: read it, write a temporary file,
//                          rename the original to .bak, rename the temporary file into place
//   floor go-again FOLDER  the same with backups kept: read, write temporary, rename into place
//   floor restore FOLDER   list; per backup: rename it over its terrain file
#include <dirent.h>
#include <fcntl.h>
#include <unistd.h>

#include <cstdio>
#include <string>
#include <vector>

namespace {

bool EndsWith(const std::string& s, const char* suffix) {
    const std::string tail = suffix;
    return s.size() >= tail.size() && s.compare(s.size() - tail.size(), tail.size(), tail) == 0;
}

bool CopyToTemporary(const std::string& from, const std::string& to, std::vector<char>& buffer) {
    const int in = ::open(from.c_str(), O_RDONLY | O_CLOEXEC);
    if (in < 0) return false;
    std::size_t size = 0;
    for (;;) {
        if (buffer.size() - size < 65536) buffer.resize(buffer.size() * 2 + 65536);
        const ssize_t got = ::read(in, buffer.data() + size, 65536);
        if (got <= 0) break;
        size += static_cast<std::size_t>(got);
    }
    ::close(in);
    const int out = ::open(to.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0666);
    if (out < 0) return false;
    const bool written = ::write(out, buffer.data(), size) == static_cast<ssize_t>(size);
    return ::close(out) == 0 && written;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: floor go|go-again|restore FOLDER\n");
        return 2;
    }
    const std::string mode = argv[1];
    const std::string folder = argv[2];
    DIR* dir = ::opendir(folder.c_str());
    if (dir == nullptr) return 1;
    std::vector<std::string> names;
    while (const dirent* entry = ::readdir(dir)) names.emplace_back(entry->d_name);
    ::closedir(dir);

    std::vector<char> buffer;
    int failures = 0;
    for (const std::string& name : names) {
        const std::string full = folder + "/" + name;
        if (mode == "restore") {
            if (EndsWith(name, ".bak"))
                failures += ::rename(full.c_str(), full.substr(0, full.size() - 4).c_str()) != 0;
            continue;
        }
        if (!EndsWith(name, ".ter")) continue;
        const std::string temp = full + ".tmp";
        failures += !CopyToTemporary(full, temp, buffer);
        if (mode == "go") failures += ::rename(full.c_str(), (full + ".bak").c_str()) != 0;
        failures += ::rename(temp.c_str(), full.c_str()) != 0;
    }
    return failures == 0 ? 0 : 1;
}
