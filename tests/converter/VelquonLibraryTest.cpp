#include "CodeForm.h"
#include "SharedLibrary.h"
#include "velquon.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <thread>

namespace qmv {
namespace {

class VelquonLibrary : public ::testing::Test
{
protected:
    void SetUp() override
    {
        const char* folder = std::getenv("QMV718_BIN_DIR");
        const std::string path = std::string(folder ? folder : ".") + "/velquon.dll";
        std::string error;
        m_library = SharedLibrary::open(path, &error);
        ASSERT_TRUE(m_library) << error;
        m_convert = reinterpret_cast<VelquonConvertCode>(m_library->symbol("ConvertCode"));
        ASSERT_NE(m_convert, nullptr);
    }

    std::unique_ptr<SharedLibrary> m_library;
    VelquonConvertCode m_convert = nullptr;
};

// An NEC frame (address 04, command 0D) as the encoded body describes it.
std::string necBody()
{
    std::string text = "23281194";
    const std::uint32_t word = 0x04 | 0xFB << 8 | 0x0D << 16 | 0xF2 << 24;
    for (int i = 0; i < 32; ++i)
        text += ((word >> i) & 1u) ? "02300699" : "02300230";
    return text + "0230FEFE0014EDED";
}

TEST_F(VelquonLibrary, ConvertsLikeTheLibraryItIsBuiltFrom)
{
    const std::string expected = convert(necBody());
    ASSERT_EQ(expected.substr(0, 8), "010000::");
    EXPECT_EQ(std::string(m_convert(necBody().c_str(), VELQUON_CONVERT_MODE)), expected);
}

TEST_F(VelquonLibrary, OtherModesAndMissingTextGiveEmptyText)
{
    EXPECT_STREQ(m_convert(necBody().c_str(), 1), "");
    EXPECT_STREQ(m_convert(nullptr, VELQUON_CONVERT_MODE), "");
    EXPECT_STREQ(m_convert("not a code", VELQUON_CONVERT_MODE), "");
}

// The result lives in a buffer of the calling thread: another thread's call leaves it alone.
TEST_F(VelquonLibrary, ResultBelongsToTheCallingThread)
{
    const char* mine = m_convert(necBody().c_str(), VELQUON_CONVERT_MODE);
    const std::string before = mine;
    std::thread other([&] { m_convert("", VELQUON_CONVERT_MODE); });
    other.join();
    EXPECT_EQ(std::string(mine), before);
}

} // namespace
} // namespace qmv
