#pragma once

#include "UpdateRun.h"

#include <QSignalSpy>

#include <gtest/gtest.h>

namespace qmv::testing {

// What one update run reported, library by library.
struct RunRecord
{
    QList<UpdateFailure> outcomes;
    QStringList details;
    bool finished = false;
    bool installed = false;
};

inline PendingLibrary pending(const QString& name, qint64 size, const QString& sha256 = {})
{
    return PendingLibrary{name, QString::number(size), size, sha256, false};
}

inline RunRecord runToEnd(UpdateRun& run, const QString& serverUrl, const QList<PendingLibrary>& libraries)
{
    RunRecord record;
    const QMetaObject::Connection outcomes =
        QObject::connect(&run, &UpdateRun::libraryFinished, [&record](int index, const Failure& failure) {
            EXPECT_EQ(index, record.outcomes.size());
            record.outcomes.append(failure.reason);
            record.details.append(failure.detail);
        });
    QSignalSpy finished(&run, &UpdateRun::finished);
    run.start(serverUrl, libraries);
    record.finished = finished.count() > 0 || finished.wait(60000);
    if (record.finished)
        record.installed = finished.first().first().toBool();
    QObject::disconnect(outcomes);
    return record;
}

} // namespace qmv::testing
