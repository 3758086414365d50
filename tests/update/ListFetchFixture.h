#pragma once

#include "HttpClient.h"
#include "ProgramFolder.h"
#include "TestHttpServer.h"
#include "UpdateListFetch.h"
#include "UpdateSettings.h"

#include <QSignalSpy>

#include <gtest/gtest.h>

namespace qmv::testing {

// A program folder, a test server and a list fetch into that folder.
class ListFetchFixture : public ::testing::Test
{
protected:
    Failure fetchFailure(const QUrl& url)
    {
        QSignalSpy finished(&listFetch, &UpdateListFetch::finished);
        listFetch.start(url);
        EXPECT_TRUE(finished.count() > 0 || finished.wait(30000));
        return finished.isEmpty() ? Failure{UpdateFailure::TimedOut, QStringLiteral("no answer")}
                                  : finished.first().first().value<Failure>();
    }
    bool fetch(const QUrl& url) { return !fetchFailure(url).failed(); }

    QUrl listUrl() const { return QUrl(server.url(QLatin1String(UpdateSettings::listPath))); }

    TestHttpServer server;
    ProgramFolder folder;
    HttpClient client;
    UpdateListFetch listFetch{folder.path(), client};
};

} // namespace qmv::testing
