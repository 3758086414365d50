#include "UpdateFileKind.h"

#include "ConverterLibrary.h"
#include "LinkLibrary.h"
#include "PictureNames.h"

#include <array>

namespace qmv {

namespace {

constexpr qint64 mebibyte = 1024 * 1024;

struct KindOfFile
{
    const char* fileName;
    UpdateFileKind kind;
};

constexpr std::array kinds{
    KindOfFile{LinkLibrary::fileName, UpdateFileKind::LinkLibrary},
    KindOfFile{ConverterLibrary::fileName, UpdateFileKind::Converter},
    KindOfFile{pictures::notLearnedBundle.fileName, UpdateFileKind::KeyBundle},
    KindOfFile{pictures::learnedBundle.fileName, UpdateFileKind::KeyBundle},
    KindOfFile{pictures::learningBundle.fileName, UpdateFileKind::KeyBundle},
    KindOfFile{pictures::elsewhereBundle.fileName, UpdateFileKind::KeyBundle},
    KindOfFile{pictures::namedBundle.fileName, UpdateFileKind::NamedBundle},
    KindOfFile{"ykqtupian44.dll", UpdateFileKind::Animation},
};

// In the order of UpdateFileKind.
constexpr std::array<qint64, 5> maxBytes{
    64 * mebibyte, // link library
    64 * mebibyte, // converter
    32 * mebibyte, // key bundle
    32 * mebibyte, // named bundle
    16 * mebibyte, // animation
};

} // namespace

std::optional<UpdateFileKind> updateFileKind(const QString& fileName)
{
    for (const KindOfFile& entry : kinds) {
        if (fileName == QLatin1String(entry.fileName))
            return entry.kind;
    }
    return std::nullopt;
}

qint64 maxUpdateFileBytes(UpdateFileKind kind)
{
    return maxBytes.at(static_cast<std::size_t>(kind));
}

} // namespace qmv
