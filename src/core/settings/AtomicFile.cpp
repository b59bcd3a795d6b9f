#include "core/settings/AtomicFile.h"

#include <QFile>
#include <QSaveFile>

bool ReplaceFileContent(const std::filesystem::path& file, std::string_view content,
                        QString& reason)
{
    QSaveFile out(QFile::decodeName(file.c_str()));
    // Writing in place would destroy the old file on a full disk; better to fail.
    out.setDirectWriteFallback(false);
    // Unbuffered, so that a short write (disk full, file size limit) shows in
    // write()'s count: a buffered flush inside commit() lets it pass unnoticed
    // and renames a truncated file over the old one.
    if (!out.open(QIODevice::WriteOnly | QIODevice::Unbuffered)) {
        reason = out.errorString();
        return false;
    }
    // A short write is followed by another, which reports the system's reason.
    const char* data = content.data();
    auto left = static_cast<qint64>(content.size());
    while (left > 0) {
        const qint64 written = out.write(data, left);
        if (written <= 0) {
            reason = out.errorString();
            out.cancelWriting();
            return false;
        }
        data += written;
        left -= written;
    }
    if (!out.commit()) {
        reason = out.errorString();
        return false;
    }
    return true;
}
