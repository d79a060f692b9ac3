#include "platform/FileError.h"

#include "platform/FileSystem.h"

CFileError::CFileError(Cause cause, const std::string& path)
    : m_cause(cause), m_strFileName(platform::FullPath(path)) {
    m_strWhat = m_strFileName + (cause == Cause::General ? ": read error" : ": disk full");
}
