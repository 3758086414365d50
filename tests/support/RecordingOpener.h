#pragma once

#include "PathOpener.h"

#include <QStringList>

namespace qmv::testing {

// Records what would have been handed to the desktop, as "cd <folder>" and "open <path>".
class RecordingOpener : public PathOpener
{
public:
    bool changeDirectory(const QString& folder) override
    {
        requests << QStringLiteral("cd ") + folder;
        return directoryChangeSucceeds;
    }
    bool open(const QString& path) override
    {
        requests << QStringLiteral("open ") + path;
        return openSucceeds;
    }

    QStringList requests;
    bool directoryChangeSucceeds = true;
    bool openSucceeds = true;
};

} // namespace qmv::testing
