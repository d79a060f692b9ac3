#include "settings/LastPathStore.h"

#include "platform/FileSystem.h"
#include "platform/TextFile.h"

std::string ProgramDirectory;
const CLastPathStore LastPathStore;

std::string ProgramDirectoryOf(std::string firstArgument) {
    const std::size_t separator = firstArgument.rfind(platform::kPathSeparator);
    // Started by a bare name (from the current folder or the search path): the argument says
    // nothing about the folder, the executable's own location does.
    if (separator == std::string::npos) return platform::ExecutableDirectory();
    return firstArgument.substr(0, separator);
}

void InitProgramDirectory() { ProgramDirectory = ProgramDirectoryOf(platform::FirstArgument()); }

std::string CLastPathStore::FileName() const {
    return ProgramDirectory + platform::kPathSeparator + "LastPath.cfg";
}

std::string CLastPathStore::LoadLastPath() const {
    CTextFile file;
    std::string path;
    if (file.Open(FileName(), CTextFile::Access::ReadExclusive)) {
        file.ReadLine(path);
        file.Close();
    }
    return path;
}

void CLastPathStore::SaveLastPath(std::string path) const {
    CTextFile file;
    if (!file.Open(FileName(), CTextFile::Access::WriteExclusive)) return;
    file.WriteText(path);
    file.Close();
}
