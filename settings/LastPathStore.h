#pragma once

#include <string>

/// The folder of the executable, without a trailing separator. Empty until
/// InitProgramDirectory runs (the dialog does it when it opens), unchanged afterwards.
extern std::string ProgramDirectory;

/// The directory part of a program's first argument: everything before its last separator.
/// An argument without a separator (a bare program name) gives the executable's real folder.
std::string ProgramDirectoryOf(std::string firstArgument);

/// Sets ProgramDirectory from the program's first command-line argument.
void InitProgramDirectory();

/// The last folder, kept in LastPath.cfg in ProgramDirectory. Stateless; used through the one
/// global instance LastPathStore.
class CLastPathStore {
public:
    /// The first line of LastPath.cfg without its line end; "" when there is none. A read
    /// error after the file was opened throws CFileError.
    std::string LoadLastPath() const;
    /// Writes path exactly, with no line end. A file that cannot be opened keeps its old
    /// content, silently; a write or close error throws CFileError.
    void SaveLastPath(std::string path) const;
    /// ProgramDirectory joined with "LastPath.cfg".
    std::string FileName() const;
};

extern const CLastPathStore LastPathStore;
