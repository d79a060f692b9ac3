#pragma once

#include <exception>
#include <string>

/// A failed read, write or close on a file that was opened. It ends the running command; the
/// command boundary (the dialog, the command line) shows it. A failed open is not a file error:
/// opens report failure through their result.
class CFileError : public std::exception {
public:
    enum class Cause {
        General,   ///< a read error
        DiskFull,  ///< a write or close error
    };

    /// path is made absolute, so the error names the file whatever the current directory.
    CFileError(Cause cause, const std::string& path);

    Cause GetCause() const noexcept { return m_cause; }
    const std::string& GetFileName() const noexcept { return m_strFileName; }
    const char* what() const noexcept override { return m_strWhat.c_str(); }

private:
    Cause m_cause;
    std::string m_strFileName;
    std::string m_strWhat;
};
