// The bridge's server driven in-process over prepared requests, against the virtual remote.
#include "BridgeServer.h"
#include "MemoryStream.h"
#include "RemoteFixture.h"

#include <gtest/gtest.h>

using namespace qmv;
using namespace qmv::bridge;

namespace {

MessageWriter hello(std::uint32_t version = protocolVersion)
{
    return MessageWriter(Operation::Hello).u32(protocolMagic).u32(version);
}

MessageWriter loadLink(const std::string& folder)
{
    return MessageWriter(Operation::Load).u32(static_cast<std::uint32_t>(Library::Link)).text(folder.c_str());
}

class BridgeServerTest : public test::RemoteFixture
{
protected:
    // Serves the queued requests; the replies' payloads.
    std::vector<std::string> serve(BridgeServer::Outcome expected = BridgeServer::Outcome::InputEnded)
    {
        EXPECT_EQ(m_server.serve(m_stream), expected);
        return m_stream.replies();
    }
    test::MemoryStream& stream() { return m_stream; }

private:
    BridgeServer m_server;
    test::MemoryStream m_stream;
};

} // namespace

TEST_F(BridgeServerTest, AnswersWithItsVersionAndLoadsTheLibrary)
{
    stream().queue(hello(protocolVersion + 7));
    stream().queue(loadLink(test::binFolder()));
    stream().queue(MessageWriter(Operation::LinkState));
    const auto replies = serve();
    ASSERT_EQ(replies.size(), 3u);

    MessageReader greeting(replies[0]);
    EXPECT_EQ(greeting.operation(), Operation::Hello);
    EXPECT_EQ(greeting.u32(), protocolMagic);
    EXPECT_EQ(greeting.u32(), protocolVersion); // the client decides what a mismatch means
    EXPECT_TRUE(greeting.complete());

    MessageReader loaded(replies[1]);
    EXPECT_EQ(loaded.u32(), 1u);
    EXPECT_EQ(loaded.bytes(), "");
    EXPECT_TRUE(loaded.complete());

    MessageReader state(replies[2]);
    EXPECT_EQ(state.u32(), 1u);
}

TEST_F(BridgeServerTest, LoadFailureCarriesTheLoadersMessage)
{
    test::ScratchFolder empty;
    stream().queue(hello());
    stream().queue(loadLink(empty.path().string() + "/"));
    const auto replies = serve();
    ASSERT_EQ(replies.size(), 2u);
    MessageReader loaded(replies[1]);
    EXPECT_EQ(loaded.u32(), 0u);
    EXPECT_NE(loaded.bytes().find("tavrio.dll"), std::string::npos);
}

TEST_F(BridgeServerTest, BuffersAreZeroFilledAndReturnedWhole)
{
    stream().queue(hello());
    stream().queue(loadLink(test::binFolder()));
    stream().queue(MessageWriter(Operation::ReadVersion).u32(TAVRIO_VERSION_BUFFER));
    stream().queue(MessageWriter(Operation::ReadData).u32(96).u32(6).text("B0").text("00").text("08"));
    const auto replies = serve();
    ASSERT_EQ(replies.size(), 4u);

    MessageReader version(replies[2]);
    EXPECT_EQ(version.u32(), 1u);
    const std::string buffer = version.bytes();
    EXPECT_EQ(buffer, link().readVersion()); // the direct call's text, zero bytes and all
    EXPECT_EQ(buffer.size(), std::size_t{TAVRIO_VERSION_BUFFER});

    MessageReader data(replies[3]);
    EXPECT_EQ(data.u32(), 1u);
    const std::string memory = data.bytes();
    ASSERT_EQ(memory.size(), 96u);
    EXPECT_EQ(memory, link().readData(0xB000, 6, 96));
}

TEST_F(BridgeServerTest, RequestsOutsideTheRulesEndTheService)
{
    struct Case
    {
        const char* what;
        std::vector<MessageWriter> requests;
    };
    const std::vector<Case> cases = {
        {"an operation before the greeting", {MessageWriter(Operation::LinkState)}},
        {"a wrong magic number", {MessageWriter(Operation::Hello).u32(0x12345678).u32(protocolVersion)}},
        {"an operation before a library is loaded", {hello(), MessageWriter(Operation::LinkState)}},
        {"a buffer larger than the bound",
         {hello(), loadLink(test::binFolder()),
          MessageWriter(Operation::CollectCode).u32(maxBufferBytes + 1)}},
        {"an empty buffer",
         {hello(), loadLink(test::binFolder()), MessageWriter(Operation::BasicInfo).u32(0)}},
        {"a missing argument",
         {hello(), loadLink(test::binFolder()), MessageWriter(Operation::WriteData).text("A5").text("20")}},
        {"an unknown operation", {hello(), loadLink(test::binFolder()), MessageWriter(Operation{99})}},
        {"an unknown library", {hello(), MessageWriter(Operation::Load).u32(9).text("/")}},
        {"a conversion without the converter",
         {hello(), MessageWriter(Operation::ConvertCode).text("0123").u32(2)}},
    };
    for (const auto& c : cases) {
        BridgeServer server;
        test::MemoryStream stream;
        for (const auto& request : c.requests)
            stream.queue(request);
        stream.queue(MessageWriter(Operation::LinkState)); // never reached
        EXPECT_EQ(server.serve(stream), BridgeServer::Outcome::ProtocolBroken) << c.what;
        EXPECT_EQ(stream.replies().size(), c.requests.size() - 1) << c.what;
    }
}

TEST_F(BridgeServerTest, NullTextsReachTheLibraryAsNull)
{
    stream().queue(hello());
    stream().queue(loadLink(test::binFolder()));
    stream().queue(MessageWriter(Operation::WriteData).text("A5").text(nullptr).text("00").text("11"));
    const auto replies = serve();
    ASSERT_EQ(replies.size(), 3u);
    MessageReader written(replies[2]);
    EXPECT_EQ(written.u32(), 0u); // the virtual remote refuses a write without its address
    EXPECT_TRUE(written.complete());
}
