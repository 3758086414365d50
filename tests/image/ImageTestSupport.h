#pragma once

#include "LoadedImage.h"
#include "MemoryImage.h"
#include "RemoteFixture.h"
#include "RemoteLoader.h"
#include "ScriptedDialogs.h"

#include <memory>

namespace qmv::test {

// The virtual remote loaded as the window loads it, with the image operations over it.
class ImageFixture : public RemoteFixture
{
protected:
    void SetUp() override
    {
        RemoteFixture::SetUp();
        image = std::make_unique<MemoryImage>(link(), reload());
    }

    // Reads the remote's tables afresh, as a new start-up would.
    ImageSnapshot reload() { return loadSnapshot(link()); }

    std::unique_ptr<MemoryImage> image;
};

inline std::string converted(const std::string& id, const std::string& data = "",
                             const std::string& p1 = "0123456789ABCDEF",
                             const std::string& p2 = "FEDCBA9876543210")
{
    return id + "::" + p1 + ":" + p2 + ":::" + data;
}

} // namespace qmv::test
