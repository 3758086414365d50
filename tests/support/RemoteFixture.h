#pragma once

// A fresh virtual remote for each test: its own state folder, reached through the real link
// library that the build put beside the program.

#include "LinkLibrary.h"
#include "RemoteLink.h"
#include "StateFolder.h"
#include "TestPlatform.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <memory>
#include <string>

namespace qmv::test {

inline std::string testDataFolder()
{
    const char* dir = std::getenv("QMV718_TEST_DATA");
    return dir ? std::string(dir) + "/" : std::string("./");
}

// A scratch folder removed when the test ends.
class ScratchFolder
{
public:
    ScratchFolder()
        : m_path(createScratchFolder())
    {
    }
    ~ScratchFolder()
    {
        std::error_code ec;
        std::filesystem::remove_all(m_path, ec);
    }
    ScratchFolder(const ScratchFolder&) = delete;
    ScratchFolder& operator=(const ScratchFolder&) = delete;
    const std::filesystem::path& path() const { return m_path; }

private:
    std::filesystem::path m_path;
};

class RemoteFixture : public ::testing::Test
{
protected:
    void SetUp() override
    {
        setEnvironment("QMV718_REMOTE_DIR", m_scratch.path().string());
        setEnvironment("QMV718_REMOTE_FSYNC", "0");
        // Holds on the remote live with the test, not in the user's runtime folder; the first
        // writer makes the folder, as only its user may reach it.
        setEnvironment("QMV718_HOLD_DIR", (m_scratch.path() / "holds").string());
        unsetEnvironment("QMV718_REMOTE_LATENCY_MS");
        std::string error;
        m_library = LinkLibrary::load(binFolder(), &error);
        ASSERT_TRUE(m_library) << error;
        m_link = std::make_unique<RemoteLink>(m_library->functions());
        folder().setDemoEnabled(false);
    }

    RemoteLink& link() { return *m_link; }
    remote::StateFolder folder() const { return remote::StateFolder(m_scratch.path()); }
    const std::filesystem::path& statePath() const { return m_scratch.path(); }

private:
    ScratchFolder m_scratch;
    std::unique_ptr<LinkLibrary> m_library;
    std::unique_ptr<RemoteLink> m_link;
};

} // namespace qmv::test
