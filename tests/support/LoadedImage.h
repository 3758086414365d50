#pragma once

#include "RemoteLoader.h"
#include "ScriptedDialogs.h"

#include <gtest/gtest.h>

namespace qmv::test {

// The remote's tables read afresh, as a new start-up would; a load that fails fails the test.
inline ImageSnapshot loadSnapshot(const RemoteLink& link)
{
    ScriptedDialogs quiet;
    RemoteLoader loader(link, quiet);
    auto loaded = loader.load();
    EXPECT_TRUE(loaded) << loader.failure();
    return loaded ? loaded->snapshot : ImageSnapshot{};
}

} // namespace qmv::test
