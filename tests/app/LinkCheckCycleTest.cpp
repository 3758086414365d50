#include "LinkCheckCycle.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <deque>
#include <string>
#include <vector>

namespace qmv {
namespace {

using ::testing::ElementsAre;

const std::string remoteid = "0123456789ABCDEFGHIJKLMNOPQRST";

// Effects from a script: the link answers from `attached` (the last answer repeats), every
// effect is written to `log` in the order the cycle asks for it.
class ScriptedEffects : public LinkCheckEffects
{
public:
    std::deque<bool> attached{true};
    std::string info = remoteid + std::string(994, '\0');
    std::deque<Reply> replies; // when empty: Retry, or Cancel in the second question
    std::vector<std::string> log;

    bool linkState() override
    {
        const bool answer = attached.front();
        if (attached.size() > 1)
            attached.pop_front();
        log.push_back(answer ? "attached" : "missing");
        return answer;
    }
    std::string basicInfo() override
    {
        log.push_back("info");
        return info;
    }
    void pause() override { log.push_back("pause"); }
    void setKeypadAvailable(bool available) override
    {
        log.push_back(available ? "keypad on" : "keypad off");
    }
    Reply messageBox(const std::string& text, const std::string& caption, Buttons buttons) override
    {
        EXPECT_EQ(caption, "提示");
        if (text == reconnectQuestion) {
            EXPECT_EQ(buttons, Buttons::RetryCancel);
            log.push_back("reconnect?");
        } else if (text == closeProgramQuestion) {
            EXPECT_EQ(buttons, Buttons::OkCancel);
            log.push_back("close?");
        } else {
            ADD_FAILURE() << "unexpected question " << text;
        }
        if (replies.empty())
            return buttons == Buttons::RetryCancel ? Reply::Retry : Reply::Cancel;
        const Reply reply = replies.front();
        replies.pop_front();
        return reply;
    }
};

class LinkWatchTest : public ::testing::Test
{
protected:
    // Loses the remote in one cycle answered with Retry, then starts the log afresh.
    void loseRemote()
    {
        effects.attached = {false};
        ASSERT_TRUE(watch.cycle(effects));
        ASSERT_TRUE(watch.lost());
        ASSERT_TRUE(watch.waiting());
        effects.log.clear();
    }

    ScriptedEffects effects;
    LinkCheckCycle watch{remoteid};
};

// ---- Watching an attached remote.

TEST_F(LinkWatchTest, StartsNeitherLostNorWaiting)
{
    EXPECT_FALSE(watch.lost());
    EXPECT_FALSE(watch.waiting());
}

TEST_F(LinkWatchTest, AnAttachedRemoteIsOnlyPolledAndPausedFor)
{
    for (int cycle = 0; cycle < 3; ++cycle)
        EXPECT_TRUE(watch.cycle(effects));
    EXPECT_THAT(effects.log, ElementsAre("attached", "pause", "attached", "pause", "attached", "pause"));
    EXPECT_FALSE(watch.lost());
    EXPECT_FALSE(watch.waiting());
}

TEST_F(LinkWatchTest, AnAttachedRemoteIsNotIdentifiedEvenWithoutAnIdentity)
{
    LinkCheckCycle anonymous("");
    effects.info.clear();
    EXPECT_TRUE(anonymous.cycle(effects));
    EXPECT_THAT(effects.log, ElementsAre("attached", "pause"));
}

// ---- The remote goes missing.

TEST_F(LinkWatchTest, AMissingRemoteTakesTheKeypadAwayAfterThePauseAndAsksForIt)
{
    effects.attached = {false};
    EXPECT_TRUE(watch.cycle(effects));
    EXPECT_THAT(effects.log, ElementsAre("missing", "pause", "keypad off", "reconnect?"));
    EXPECT_TRUE(watch.lost());
    EXPECT_TRUE(watch.waiting());
}

TEST_F(LinkWatchTest, WhileTheRemoteStaysMissingEveryCycleAsksAgain)
{
    effects.attached = {false};
    effects.replies = {Reply::Retry, Reply::Cancel, Reply::Cancel, Reply::Retry};
    for (int cycle = 0; cycle < 3; ++cycle)
        EXPECT_TRUE(watch.cycle(effects));
    EXPECT_THAT(effects.log, ElementsAre("missing", "pause", "keypad off", "reconnect?",           //
                                         "missing", "pause", "keypad off", "reconnect?", "close?", //
                                         "missing", "pause", "keypad off", "reconnect?"));
}

TEST_F(LinkWatchTest, CancelThenOkEndsTheWatcher)
{
    effects.attached = {false};
    effects.replies = {Reply::Cancel, Reply::Ok};
    EXPECT_FALSE(watch.cycle(effects));
    EXPECT_THAT(effects.log, ElementsAre("missing", "pause", "keypad off", "reconnect?", "close?"));
}

TEST_F(LinkWatchTest, WithoutAnIdentityTheFirstLossEndsTheWatcherAfterTheQuestion)
{
    LinkCheckCycle anonymous("");
    effects.attached = {false};
    EXPECT_FALSE(anonymous.cycle(effects));
    EXPECT_THAT(effects.log, ElementsAre("missing", "pause", "keypad off", "reconnect?"));
}

// ---- The remote comes back.

TEST_F(LinkWatchTest, TheSameRemoteBackGivesTheKeypadBackInTheSameCycleWithoutAQuestion)
{
    loseRemote();
    effects.attached = {true};
    EXPECT_TRUE(watch.cycle(effects));
    EXPECT_THAT(effects.log, ElementsAre("attached", "info", "pause", "keypad on"));
    EXPECT_FALSE(watch.lost());
    EXPECT_FALSE(watch.waiting());

    effects.log.clear();
    EXPECT_TRUE(watch.cycle(effects));
    EXPECT_THAT(effects.log, ElementsAre("attached", "pause"));
}

TEST_F(LinkWatchTest, ADifferentRemoteBackEndsTheWatcherBeforeThePause)
{
    loseRemote();
    effects.attached = {true};
    effects.info = "ZZZZZZZZZZZZZZZZZZZZZZZZZZZZZZ" + std::string(994, '\0');
    EXPECT_FALSE(watch.cycle(effects));
    EXPECT_THAT(effects.log, ElementsAre("attached", "info"));
}

TEST_F(LinkWatchTest, ARemoteWhoseInformationCannotBeReadEndsTheWatcher)
{
    loseRemote();
    effects.attached = {true};
    effects.info.clear();
    EXPECT_FALSE(watch.cycle(effects));
}

TEST_F(LinkWatchTest, OnlyTheFirstThirtyCharactersIdentifyTheRemote)
{
    loseRemote();
    effects.attached = {true};
    effects.info = remoteid + "but the rest differs";
    EXPECT_TRUE(watch.cycle(effects));

    loseRemote();
    effects.attached = {true};
    effects.info = remoteid.substr(0, 29) + "!";
    EXPECT_FALSE(watch.cycle(effects));
}

TEST_F(LinkWatchTest, ARemoteShorterThanTheIdentityDoesNotMatch)
{
    loseRemote();
    effects.attached = {true};
    effects.info = remoteid.substr(0, 29);
    EXPECT_FALSE(watch.cycle(effects));
}

TEST_F(LinkWatchTest, ARemoteBackOnlyForOnePollIsIdentifiedAgainAfterTheNextLoss)
{
    loseRemote();
    effects.attached = {true, false, true};
    EXPECT_TRUE(watch.cycle(effects));
    EXPECT_TRUE(watch.cycle(effects));
    effects.info = "ZZZZZZZZZZZZZZZZZZZZZZZZZZZZZZ";
    EXPECT_FALSE(watch.cycle(effects));
    EXPECT_THAT(effects.log, ElementsAre("attached", "info", "pause", "keypad on",       //
                                         "missing", "pause", "keypad off", "reconnect?", //
                                         "attached", "info"));
}

} // namespace
} // namespace qmv
