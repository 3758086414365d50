#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

namespace qmv {

// The files of a picture bundle (a binary Qt resource file), read from its structure alone: the
// header, the tree of folders and files, their names and the extents of their data, every offset
// checked against the file, and every packed file's unpacked size against a limit. A bundle that
// reads here can be registered with Qt's resource system without any of its reads leaving the file.
struct ResourceBundle
{
    // The files' paths from the bundle's root, "gif0" or "folder/name".
    QStringList files;
    // Empty when the structure is sound, else why it is not.
    QString refusal;
};

ResourceBundle readResourceBundle(const QByteArray& bytes);

} // namespace qmv
