#include "core/order/OrderFileError.h"

#include "core/settings/AtomicFile.h"
#include "core/text/Cp1251.h"
#include "core/text/SystemErrorText.h"

#include <QFile>

EOrderFileError OrderFileError(const char* messageUtf8, const std::filesystem::path& file,
                               const QString& detail)
{
    const QString text = QString::fromUtf8(messageUtf8)
                             .arg(QFile::decodeName(file.c_str()), FileErrorReason(detail));
    return EOrderFileError(ToCp1251(text));
}

void ReplaceFileContent(const std::filesystem::path& file, std::string_view content,
                        const char* messageUtf8)
{
    QString reason;
    if (!ReplaceFileContent(file, content, reason))
        throw OrderFileError(messageUtf8, file, reason);
}
