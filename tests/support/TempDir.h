#pragma once

#include <string>

/// A fresh folder under the system's temporary directory, removed with everything in it when
/// the object goes.
class CTempDir {
public:
    CTempDir();
    ~CTempDir();
    CTempDir(const CTempDir&) = delete;
    CTempDir& operator=(const CTempDir&) = delete;

    const std::string& Path() const { return m_strPath; }
    /// The folder joined with name by the platform's separator.
    std::string operator/(const std::string& name) const;

private:
    std::string m_strPath;
};

/// The whole content of a file as bytes; "<missing>" when it cannot be read.
std::string ReadBytes(const std::string& path);
/// Writes bytes as they are (no line end translation).
void WriteBytes(const std::string& path, const std::string& bytes);
bool FileExists(const std::string& path);
