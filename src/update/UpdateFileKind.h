#pragma once

#include <QString>
#include <QtGlobal>

#include <optional>

namespace qmv {

// The files the update may install, each kind judged in its own way and each with a largest size.
enum class UpdateFileKind {
    LinkLibrary, // tavrio.dll
    Converter,   // velquon.dll
    KeyBundle,   // on1803.dll, sn1803.dll, fn1803.dll, dn1803.dll: 168 key pictures each
    NamedBundle, // bn1803.dll: hints and button pictures
    Animation,   // ykqtupian44.dll: the update wizard's animation, a GIF
};

// The kind of the file of that name (with ".dll"), or nothing for a file the program does not use.
std::optional<UpdateFileKind> updateFileKind(const QString& fileName);

// The largest download of each kind: an announced size above it is refused before anything is
// fetched. Well above any real file of the kind (the libraries are a few MiB even with debugging
// information), so only a list that lies or a wrong file runs into it.
qint64 maxUpdateFileBytes(UpdateFileKind kind);

} // namespace qmv
