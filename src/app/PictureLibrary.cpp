#include "PictureLibrary.h"

#include "FormPictures.h"
#include "PictureNames.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>
#include <QImage>
#include <QResource>
#include <QTemporaryFile>

#include <mutex>

namespace qmv {

namespace {

// A bundle mapped under ":/<root>/" for as long as the object lives.
class MappedBundle
{
public:
    MappedBundle(const QString& folder, const pictures::Bundle& bundle)
        : m_file(QDir(folder).filePath(QString::fromUtf8(bundle.fileName)))
        , m_root(QStringLiteral("/") + QString::fromUtf8(bundle.root))
        // An empty file is refused before Qt sees it: Qt would leak its buffer for it.
        , m_mapped(QFileInfo(m_file).size() > 0 && QResource::registerResource(m_file, m_root))
    {
    }
    ~MappedBundle()
    {
        if (m_mapped)
            QResource::unregisterResource(m_file, m_root);
    }
    MappedBundle(const MappedBundle&) = delete;
    MappedBundle& operator=(const MappedBundle&) = delete;

    bool mapped() const { return m_mapped; }
    QString resource(const QString& name) const { return QStringLiteral(":") + m_root + u'/' + name; }

private:
    QString m_file;
    QString m_root;
    bool m_mapped;
};

// The resource drawn for the screen's density, where there is one.
QString scaledResource(const QString& resource)
{
    if (pictureScale() == 1)
        return resource;
    const QString dense = resource + QStringLiteral("@%1x").arg(pictureScale());
    return QFileInfo::exists(dense) ? dense : resource;
}

// Read afresh every time: QPixmap's own file cache would hand back a picture of a bundle that
// was mapped under the same root before.
bool loadPicture(const QString& resource, QPixmap& target)
{
    target = scaledPicture(resource);
    return !target.isNull();
}

std::unique_ptr<QTemporaryFile> writeAnimation(const QString& resource)
{
    QFile source(scaledResource(resource));
    if (!source.open(QIODevice::ReadOnly))
        return nullptr;
    auto file = std::make_unique<QTemporaryFile>(
        QDir(QDir::tempPath()).filePath(QStringLiteral("qmv718-learning-XXXXXX.gif")));
    if (!file->open() || file->write(source.readAll()) != source.size() || !file->flush())
        return nullptr;
    return file;
}

} // namespace

int pictureScale()
{
    const auto* application = qobject_cast<QGuiApplication*>(QCoreApplication::instance());
    return application && application->devicePixelRatio() > 1.0 ? 2 : 1;
}

QPixmap scaledPicture(const QString& path)
{
    const QString resource = scaledResource(path);
    QPixmap picture = QPixmap::fromImage(QImage(resource));
    picture.setDevicePixelRatio(resource == path ? 1 : pictureScale());
    return picture;
}

WindowPictures::WindowPictures() = default;
WindowPictures::~WindowPictures() = default;

const QPixmap& WindowPictures::key(KeyLook set, int index) const
{
    static const QPixmap none;
    const std::vector<QPixmap>& pictures = m_keys[static_cast<std::size_t>(set)];
    if (index < 0 || static_cast<std::size_t>(index) >= pictures.size())
        return none;
    return pictures[static_cast<std::size_t>(index)];
}

const QPixmap& WindowPictures::named(NamedPicture picture) const
{
    return m_named[static_cast<std::size_t>(picture)];
}

QString WindowPictures::animationFile() const
{
    return m_animation ? m_animation->fileName() : QString();
}

std::unique_ptr<WindowPictures> PictureLibrary::load(const QString& folder)
{
    using namespace pictures;
    const MappedBundle notLearned(folder, notLearnedBundle);
    const MappedBundle learned(folder, learnedBundle);
    const MappedBundle learning(folder, learningBundle);
    const MappedBundle named(folder, namedBundle);
    const MappedBundle elsewhere(folder, elsewhereBundle);
    if (!notLearned.mapped() || !learned.mapped() || !learning.mapped() || !named.mapped() ||
        !elsewhere.mapped())
        return nullptr;

    auto result = std::make_unique<WindowPictures>();
    result->m_animation = writeAnimation(named.resource(QString::fromUtf8(learningAnimation)));

    // In the order of KeyLook.
    const std::array<const MappedBundle*, keyPictureSetCount> sets{&notLearned, &learned, &learning,
                                                                   &elsewhere};
    for (std::size_t set = 0; set < sets.size(); ++set) {
        std::vector<QPixmap>& target = result->m_keys[set];
        target.resize(keyPicturesPerSet);
        for (int n = 0; n < keyPicturesPerSet; ++n) {
            const QString name = QString::fromUtf8(keyPicturePrefix) + QString::number(n);
            if (!loadPicture(sets[set]->resource(name), target[static_cast<std::size_t>(n)]))
                return nullptr;
        }
    }

    // In the order of NamedPicture.
    const std::array<const char*, namedPictureCount> names{idleHint,         learningHint,     deleteButton,
                                                           deleteButtonGrey, stopDeleteButton, clearButton,
                                                           clearButtonGrey};
    for (std::size_t i = 0; i < names.size(); ++i)
        if (!loadPicture(named.resource(QString::fromUtf8(names[i])), result->m_named[i]))
            return nullptr;
    return result;
}

void ensureFormPictures()
{
    static std::once_flag once;
    std::call_once(once, [] { initFormPictures(); });
}

} // namespace qmv
