#include "platform/TextFile.h"

#include <algorithm>
#include <cstring>
#include <memory>

#include "platform/FaultInjection.h"
#include "platform/FileError.h"

namespace {

// The buffer of the last file closed on this thread, kept for the next one: a folder run opens
// two or three files per terrain file, and a fresh 64 KB block for each shows in its time.
thread_local std::unique_ptr<char[]> t_spareBuffer;

}  // namespace

CTextFile::~CTextFile() {
    if (IsOpen()) platform::CloseNativeFile(m_handle);
    if (m_buffer != nullptr && t_spareBuffer == nullptr) {
        t_spareBuffer.reset(m_buffer);
    } else {
        delete[] m_buffer;
    }
}

bool CTextFile::Open(const std::string& path, Access access, platform::FileMode* mode) {
    if (IsOpen()) return false;
    if (platform::InjectFault(platform::FaultOp::Open)) return false;
    m_handle = platform::OpenNativeFile(path, access, mode);
    if (!IsOpen()) return false;
    m_strPath = path;
    m_bWriting = access == Access::WriteExclusive;
    if (m_buffer == nullptr)
        m_buffer = t_spareBuffer != nullptr ? t_spareBuffer.release() : new char[kBufferSize];
    m_nPos = m_nEnd = 0;
    return true;
}

bool CTextFile::FillBuffer() {
    std::ptrdiff_t got = platform::InjectFault(platform::FaultOp::Read)
                             ? -1
                             : platform::ReadNativeFile(m_handle, m_buffer, kBufferSize);
    if (got < 0) throw CFileError(CFileError::Cause::General, m_strPath);
    m_nPos = 0;
    m_nEnd = static_cast<std::size_t>(got);
    return got > 0;
}

bool CTextFile::ReadLine(std::string& line) {
    line.clear();
    return AppendLine(line);
}

bool CTextFile::AppendLine(std::string& text) {
    const std::size_t lineStart = text.size();
    bool any = false;
    for (;;) {
        if (m_nPos == m_nEnd && !FillBuffer()) break;
        any = true;
        const char* data = m_buffer + m_nPos;
        const std::size_t avail = m_nEnd - m_nPos;
        const void* lf = std::memchr(data, '\n', avail);
        if (lf == nullptr) {
            text.append(data, avail);
            m_nPos = m_nEnd;
            continue;
        }
        const std::size_t len = static_cast<std::size_t>(static_cast<const char*>(lf) - data);
        text.append(data, len);
        m_nPos += len + 1;
        // Text mode: the CR of a CR LF pair belongs to the line end. It may have arrived in
        // the previous buffer, so look at the line as gathered.
        if (text.size() > lineStart && text.back() == '\r') text.pop_back();
        return true;
    }
    return any;
}

bool CTextFile::FlushBuffer() {
    const std::size_t n = m_nEnd;
    m_nEnd = 0;
    if (n == 0) return true;
    return !platform::InjectFault(platform::FaultOp::Write) &&
           platform::WriteNativeFile(m_handle, m_buffer, n);
}

void CTextFile::Append(const char* data, std::size_t size) {
    while (size > 0) {
        if (m_nEnd == kBufferSize && !FlushBuffer())
            throw CFileError(CFileError::Cause::DiskFull, m_strPath);
        const std::size_t n = std::min(size, kBufferSize - m_nEnd);
        std::memcpy(m_buffer + m_nEnd, data, n);
        m_nEnd += n;
        data += n;
        size -= n;
    }
}

void CTextFile::WriteText(std::string_view text) {
    for (;;) {
        const std::size_t lf = text.find('\n');
        if (lf == std::string_view::npos) {
            Append(text.data(), text.size());
            return;
        }
        Append(text.data(), lf);
        Append("\r\n", 2);
        text.remove_prefix(lf + 1);
    }
}

void CTextFile::WriteLine(std::string_view line) {
    WriteText(line);
    Append("\r\n", 2);
}

void CTextFile::Close() {
    if (!IsOpen()) return;
    const bool flushed = !m_bWriting || FlushBuffer();
    const bool closed = platform::CloseNativeFile(m_handle);
    const bool ok = flushed && closed && !platform::InjectFault(platform::FaultOp::Close);
    m_handle = platform::kNoFile;
    // A read-only handle has nothing left to lose when its close fails.
    if (!ok && m_bWriting) throw CFileError(CFileError::Cause::DiskFull, m_strPath);
}
