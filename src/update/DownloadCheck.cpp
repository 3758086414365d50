#include "DownloadCheck.h"

#include <QCryptographicHash>
#include <QFile>

namespace qmv {

DownloadVerdict checkDownload(const QString& path, qint64 announcedSize, const QString& sha256)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return DownloadVerdict::Missing;
    if (file.size() != announcedSize)
        return DownloadVerdict::WrongSize;
    if (sha256.isEmpty())
        return DownloadVerdict::Complete;
    QCryptographicHash hash(QCryptographicHash::Sha256);
    if (!hash.addData(&file))
        return DownloadVerdict::WrongChecksum;
    const QByteArray expected = QByteArray::fromHex(sha256.toLatin1());
    return hash.result() == expected ? DownloadVerdict::Complete : DownloadVerdict::WrongChecksum;
}

} // namespace qmv
