#pragma once

#include "LearningView.h"

#include <QPixmap>
#include <QString>

#include <array>
#include <memory>
#include <vector>

class QTemporaryFile;

namespace qmv {

// One key-picture set per KeyLook, in its order.
inline constexpr int keyPictureSetCount = 4;

// The named pictures of the main window's own buttons and hint.
enum class NamedPicture { IdleHint, LearningHint, Delete, DeleteGrey, StopDelete, Clear, ClearGrey };
inline constexpr int namedPictureCount = 7;

// Everything the main window shows from the picture bundles, held in memory once read. The
// learning animation is kept in a temporary file of this user's (a movie player reads files),
// removed when the pictures are released.
class WindowPictures
{
public:
    WindowPictures();
    ~WindowPictures();
    WindowPictures(const WindowPictures&) = delete;
    WindowPictures& operator=(const WindowPictures&) = delete;

    // The key picture at `index` (the key code read as hexadecimal); a null picture when the
    // index lies outside the set.
    const QPixmap& key(KeyLook set, int index) const;
    const QPixmap& named(NamedPicture picture) const;
    // The animation file, or empty when it could not be written.
    QString animationFile() const;

private:
    friend class PictureLibrary;
    std::array<std::vector<QPixmap>, keyPictureSetCount> m_keys;
    std::array<QPixmap, namedPictureCount> m_named;
    std::unique_ptr<QTemporaryFile> m_animation;
};

// Reads the main window's pictures from the five bundles in a folder. The bundles are mapped
// into the resource tree only while they are read.
class PictureLibrary
{
public:
    // Null when a bundle or a picture is missing; a missing animation is no failure.
    static std::unique_ptr<WindowPictures> load(const QString& folder);
};

} // namespace qmv

namespace qmv {

// Every picture also exists drawn at twice the density, as "<name>@2x". Screens above 100 % get
// those, scaled down where they are between 100 % and 200 %, so that nothing is blown up.
int pictureScale();
// The picture at `path` for this screen: its "@2x" version where the scale asks for it and it
// exists, carrying its device pixel ratio, else the picture itself.
QPixmap scaledPicture(const QString& path);

// Makes the pictures built into the program (":/forms/...") available; safe to call often.
void ensureFormPictures();

} // namespace qmv
