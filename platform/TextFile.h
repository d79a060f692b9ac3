#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "platform/NativeFile.h"

/// A file in text mode: reading turns CR LF into LF, writing turns LF into CR LF, on every
/// platform. Every other byte passes unchanged (Ctrl-Z and NUL included). Read, write and close
/// errors after a successful open throw CFileError; a failed open only returns false.
class CTextFile {
public:
    using Access = platform::Access;

    CTextFile() = default;
    CTextFile(const CTextFile&) = delete;
    CTextFile& operator=(const CTextFile&) = delete;
    /// Closes a file still open without reporting errors: only reached when an error is
    /// already on its way out, or after a read.
    ~CTextFile();

    /// Opens path; given mode, a file opened for reading tells its mode.
    bool Open(const std::string& path, Access access, platform::FileMode* mode = nullptr);
    bool IsOpen() const noexcept { return m_handle != platform::kNoFile; }

    /// Reads the next line without its line end into line. A last line without a line end is
    /// read too. Returns false at the end of the file.
    bool ReadLine(std::string& line);

    /// Reads the next line like ReadLine, appending it to text instead. Returns false at the
    /// end of the file.
    bool AppendLine(std::string& text);

    /// Writes text, each LF as CR LF.
    void WriteText(std::string_view text);

    /// Writes line like WriteText, then a CR LF.
    void WriteLine(std::string_view line);

    /// Flushes and closes. A write or close error throws CFileError (disk full).
    void Close();

private:
    bool FillBuffer();
    bool FlushBuffer();
    void Append(const char* data, std::size_t size);

    static constexpr std::size_t kBufferSize = 64 * 1024;

    platform::NativeFile m_handle = platform::kNoFile;
    std::string m_strPath;
    bool m_bWriting = false;
    char* m_buffer = nullptr;
    std::size_t m_nPos = 0;  // reading: next byte to hand out
    std::size_t m_nEnd = 0;  // reading: bytes in the buffer; writing: bytes waiting
};
