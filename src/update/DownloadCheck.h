#pragma once

#include <QString>

namespace qmv {

enum class DownloadVerdict { Complete, Missing, WrongSize, WrongChecksum };

// Whether a downloaded file is the one the update list announced: its size in bytes, and its
// SHA-256 (hexadecimal, any case) when the list gives one.
DownloadVerdict checkDownload(const QString& path, qint64 announcedSize, const QString& sha256);

} // namespace qmv
