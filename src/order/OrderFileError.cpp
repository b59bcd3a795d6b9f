#include "order/OrderFileError.h"

#include "app/Cp1251.h"

#include <QFile>
#include <QSaveFile>

EOrderFileError OrderFileError(const char* messageUtf8, const std::filesystem::path& file,
                               const QString& detail)
{
    const QString text =
        QString::fromUtf8(messageUtf8).arg(QFile::decodeName(file.c_str()), detail);
    return EOrderFileError(ToCp1251(text));
}

void ReplaceFileContent(const std::filesystem::path& file, std::string_view content,
                        const char* messageUtf8)
{
    QSaveFile out(QFile::decodeName(file.c_str()));
    // Writing in place would destroy the old file on a full disk; better to fail.
    out.setDirectWriteFallback(false);
    // Unbuffered, so that a short write (disk full, file size limit) shows in
    // write()'s count: a buffered flush inside commit() lets it pass unnoticed
    // and renames a truncated file over the old one.
    if (!out.open(QIODevice::WriteOnly | QIODevice::Unbuffered))
        throw OrderFileError(messageUtf8, file, out.errorString());
    // A short write is followed by another, which reports the system's reason.
    const char* data = content.data();
    auto left = static_cast<qint64>(content.size());
    while (left > 0) {
        const qint64 written = out.write(data, left);
        if (written <= 0) {
            const QString reason = out.errorString();
            out.cancelWriting();
            throw OrderFileError(messageUtf8, file, reason);
        }
        data += written;
        left -= written;
    }
    if (!out.commit())
        throw OrderFileError(messageUtf8, file, out.errorString());
}
