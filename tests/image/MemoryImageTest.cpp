#include "HexText.h"
#include "ImageTestSupport.h"
#include "SlotJournal.h"
#include "VirtualRemote.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>

using namespace qmv;
using test::converted;

namespace {

constexpr int tv = 0, cbl = 1, dvd = 2;

// A code whose data needs this many units (16 hex characters each).
std::string dataOfUnits(int units, char fill = 'A')
{
    return std::string(static_cast<std::size_t>(units) * 16, fill);
}

} // namespace

class StoringKeys : public test::ImageFixture
{
protected:
    void expectConsistent()
    {
        const ImageSnapshot fresh = reload();
        EXPECT_TRUE(checkInvariants(fresh).empty());
        const ImageSnapshot mirror = image->snapshot();
        EXPECT_EQ(mirror.bitmap, fresh.bitmap);
        ASSERT_EQ(mirror.slotTable.size(), fresh.slotTable.size());
        for (std::size_t s = 0; s < mirror.slotTable.size(); ++s)
            EXPECT_EQ(mirror.slotTable[s].text(), fresh.slotTable[s].text()) << "slot " << s;
        for (std::size_t i = 0; i < fresh.records.size(); ++i)
            EXPECT_EQ(image->keyState(static_cast<int>(i)), fresh.records[i].keyState()) << "entry " << i;
    }
    int slotsInUse() const
    {
        int n = 0;
        for (const Slot& slot : image->slotTable())
            n += slot.inUse();
        return n;
    }
};

TEST_F(StoringKeys, KnownOrLowIdentifiersArePlacedDirectly)
{
    ASSERT_EQ(image->StoreLearnedKey("12", converted("010000"), tv), StoreResult::Stored);
    EXPECT_EQ(image->keystatelist()[5], "12|2|0|010000");
    ASSERT_EQ(image->StoreLearnedKey("13", converted("210000"), tv), StoreResult::Stored);
    EXPECT_EQ(image->keystatelist()[6], "13|2|0|210000");
    EXPECT_EQ(slotsInUse(), 0);

    // 220000 and 21000A are neither known nor low: they need a slot.
    ASSERT_EQ(image->StoreLearnedKey("14", converted("220000", dataOfUnits(1)), tv), StoreResult::Stored);
    ASSERT_EQ(image->StoreLearnedKey("15", converted("21000A", dataOfUnits(1)), tv), StoreResult::Stored);
    EXPECT_EQ(image->keystatelist()[7], "14|2|1|00FFFF");
    EXPECT_EQ(image->keystatelist()[8], "15|2|1|01FFFF");
    EXPECT_EQ(slotsInUse(), 2);
    expectConsistent();
}

TEST_F(StoringKeys, KnownCodeMatchesWithoutRegardToCase)
{
    const std::string known = image->knowncodes().front();
    EXPECT_TRUE(image->IsKnownCode(hex::upper(known)));
    std::string lower = known;
    for (char& c : lower)
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    EXPECT_TRUE(image->IsKnownCode(lower));
    EXPECT_FALSE(image->IsKnownCode("ABCDEF"));
}

TEST_F(StoringKeys, SameIdentifierSharesItsSlotAndDataIsWrittenOnce)
{
    ASSERT_EQ(image->StoreLearnedKey("12", converted("41AAAA", dataOfUnits(3)), tv), StoreResult::Stored);
    ASSERT_EQ(image->StoreLearnedKey("13", converted("41AAAA", dataOfUnits(3)), tv), StoreResult::Stored);
    ASSERT_EQ(image->StoreLearnedKey("12", converted("41AAAA", dataOfUnits(3)), cbl), StoreResult::Stored);
    EXPECT_EQ(image->keystatelist()[6], "13|2|1|00");
    EXPECT_EQ(slotsInUse(), 1);
    EXPECT_EQ(std::count(image->freemap().begin(), image->freemap().end(), '1'), 3);
    expectConsistent();
}

TEST_F(StoringKeys, DataUnitsRoundUpAndFirstFitSkipsShortGaps)
{
    // Units: A takes 0-1, B 2 (17..32 characters are two units; 16 are one).
    ASSERT_EQ(image->StoreLearnedKey("12", converted("41000A", std::string(18, 'A')), tv),
              StoreResult::Stored);
    ASSERT_EQ(image->StoreLearnedKey("13", converted("41000B", std::string(16, 'B')), tv),
              StoreResult::Stored);
    ASSERT_EQ(image->StoreLearnedKey("14", converted("41000C", dataOfUnits(2)), tv), StoreResult::Stored);
    EXPECT_EQ(image->freemap().substr(0, 6), "111110");
    // Freeing B leaves a one-unit gap at 2; a two-unit code goes past it, a one-unit code into it.
    ASSERT_TRUE(image->ReleaseKeyRecord(6, "13"));
    image->MarkKeyUnlearned(tv, "13");
    EXPECT_EQ(image->freemap().substr(0, 6), "110110");
    ASSERT_EQ(image->StoreLearnedKey("15", converted("41000D", dataOfUnits(2)), tv), StoreResult::Stored);
    EXPECT_EQ(image->freemap().substr(0, 8), "11011110");
    ASSERT_EQ(image->StoreLearnedKey("16", converted("41000E", dataOfUnits(1)), tv), StoreResult::Stored);
    EXPECT_EQ(image->freemap().substr(0, 8), "11111110");
    expectConsistent();
}

TEST_F(StoringKeys, NoRoomOrNoSlotWritesNothingAndKeepsTheOldCode)
{
    ASSERT_EQ(image->StoreLearnedKey("12", converted("010000"), tv), StoreResult::Stored);
    const auto before = link().callCount();
    const int bits = image->layout().bitmapbits;
    EXPECT_EQ(image->StoreLearnedKey("12", converted("41FFFF", dataOfUnits(bits + 1)), tv),
              StoreResult::NoRoom);
    EXPECT_EQ(link().callCount(), before) << "nothing may be written when there is no room";
    EXPECT_EQ(image->keystatelist()[5], "12|2|0|010000");

    // Fill every slot, then one more code finds no slot.
    for (int s = 0; s < image->layout().indexcount; ++s)
        ASSERT_EQ(image->StoreLearnedKey("13", converted("50" + hex::byte(s) + "00", dataOfUnits(1)), dvd),
                  StoreResult::Stored)
            << s;
    EXPECT_EQ(slotsInUse(), 1) << "re-learning one key releases its previous slot each time";
    expectConsistent();
}

TEST_F(StoringKeys, ReleasingKeepsASlotThatAnotherRecordStillNames)
{
    // The same key code in two areas shares a slot: deleting one must not free it.
    ASSERT_EQ(image->StoreLearnedKey("12", converted("41BBBB", dataOfUnits(2)), tv), StoreResult::Stored);
    ASSERT_EQ(image->StoreLearnedKey("12", converted("41BBBB", dataOfUnits(2)), cbl), StoreResult::Stored);
    ASSERT_TRUE(image->ReleaseKeyRecord(5, "12"));
    image->MarkKeyUnlearned(tv, "12");
    EXPECT_EQ(slotsInUse(), 1);
    EXPECT_EQ(image->keystatelist()[5], "12|0");
    ASSERT_TRUE(image->ReleaseKeyRecord(52 + 5, "12"));
    image->MarkKeyUnlearned(cbl, "12");
    EXPECT_EQ(slotsInUse(), 0);
    EXPECT_EQ(image->freemap().find('1'), std::string::npos);
    expectConsistent();
}

TEST_F(StoringKeys, ReleasingADirectRecordClearsOnlyItsStateByte)
{
    ASSERT_EQ(image->StoreLearnedKey("12", converted("010000"), tv), StoreResult::Stored);
    const std::string bitmap = image->MapToBitmap();
    ASSERT_TRUE(image->ReleaseKeyRecord(5, "12"));
    const ImageSnapshot fresh = reload();
    EXPECT_EQ(fresh.records[5].state, 0);
    EXPECT_EQ(fresh.records[5].reference, "010000");
    EXPECT_EQ(fresh.bitmap, bitmap);
}

TEST_F(StoringKeys, FailedWritesLeaveTheKeyAsTheRemoteHoldsIt)
{
    ASSERT_EQ(image->StoreLearnedKey("12", converted("41CCCC", dataOfUnits(2)), tv), StoreResult::Stored);
    for (int failing = 1; failing <= 3; ++failing) {
        folder().setFaultCount("fail-writes", failing);
        EXPECT_EQ(image->StoreLearnedKey("12", converted("41DDDD", dataOfUnits(3)), tv),
                  StoreResult::RecordWriteFailed)
            << failing;
        folder().setFaultCount("fail-writes", 0);
        EXPECT_EQ(image->keystatelist()[5], "12|2|1|00FFFF") << "the old code is still there";
        expectConsistent();
    }
    folder().setFaultCount("fail-writes", 1);
    EXPECT_FALSE(image->ReleaseKeyRecord(5, "12"));
    folder().setFaultCount("fail-writes", 0);
    expectConsistent();
}

TEST_F(StoringKeys, ClearingAnAreaKeepsSlotsForALaterLearnOfTheSameCode)
{
    ASSERT_EQ(image->StoreLearnedKey("12", converted("41EEEE", dataOfUnits(2)), dvd), StoreResult::Stored);
    ASSERT_EQ(image->StoreLearnedKey("13", converted("010000"), dvd), StoreResult::Stored);
    ASSERT_EQ(image->StoreLearnedKey("13", converted("010000"), tv), StoreResult::Stored);
    EXPECT_EQ(image->ClearArea(dvd), 0);
    EXPECT_EQ(image->keyState(2 * 52 + 5), '0');
    EXPECT_EQ(image->keyState(2 * 52 + 6), '0');
    EXPECT_EQ(image->keyState(6), '2') << "other areas untouched";
    EXPECT_EQ(image->keyState(2 * 52 + 4), '0');
    EXPECT_EQ(slotsInUse(), 1);
    ASSERT_EQ(image->StoreLearnedKey("14", converted("41EEEE", dataOfUnits(2)), cbl), StoreResult::Stored);
    EXPECT_EQ(image->keystatelist()[52 + 7], "14|2|1|00");
    expectConsistent();
}

TEST_F(StoringKeys, ClearingNeverTouchesCodesFromElsewhere)
{
    EXPECT_EQ(image->keyState(4), '1');
    EXPECT_EQ(image->ClearArea(tv), 0);
    EXPECT_EQ(image->keyState(4), '1');
    EXPECT_EQ(reload().records[4].keyState(), '1');
}

TEST_F(StoringKeys, ClearWithAFailingWriteKeepsThatKeyLearned)
{
    ASSERT_EQ(image->StoreLearnedKey("12", converted("010000"), tv), StoreResult::Stored);
    ASSERT_EQ(image->StoreLearnedKey("13", converted("010000"), tv), StoreResult::Stored);
    folder().setFaultCount("fail-writes", 1);
    EXPECT_EQ(image->ClearArea(tv), 1);
    EXPECT_EQ(image->keyState(5), '2');
    EXPECT_EQ(image->keyState(6), '0');
    expectConsistent();
}

TEST_F(StoringKeys, UnusableConverterTextOrKeyWritesNothing)
{
    const auto before = link().callCount();
    EXPECT_EQ(image->StoreLearnedKey("12", "nonsense", tv), StoreResult::InvalidCode);
    EXPECT_EQ(image->StoreLearnedKey("12", "41AB::0011:2233:::", tv), StoreResult::InvalidCode);
    EXPECT_EQ(image->StoreLearnedKey("12", converted("41ABCD", ""), tv), StoreResult::InvalidCode);
    EXPECT_EQ(image->StoreLearnedKey("12", converted("41ABCD", "ABC"), tv), StoreResult::InvalidCode);
    EXPECT_EQ(image->StoreLearnedKey("99", converted("010000"), tv), StoreResult::RecordWriteFailed);
    EXPECT_EQ(link().callCount(), before);
}

TEST_F(StoringKeys, KeyCodeIsFoundWithoutRegardToCase)
{
    EXPECT_EQ(image->rowOf("00"), 0);
    EXPECT_EQ(image->rowOf("71"), 51);
    EXPECT_FALSE(image->rowOf("72"));
}

TEST_F(StoringKeys, SlotsNoKeyNamesAreTakenBackOnlyWhenRoomIsNeeded)
{
    // Every slot taken by a key of the DVD or AMP area, then both cleared: all slots unnamed.
    const int slots = image->layout().indexcount;
    const int keys = image->layout().keycount;
    for (int s = 0; s < slots; ++s)
        ASSERT_EQ(
            image->StoreLearnedKey(image->keystatelist()[static_cast<std::size_t>(s % keys)].substr(0, 2),
                                   converted("50" + hex::byte(s) + "00", dataOfUnits(1)), dvd + s / keys),
            StoreResult::Stored);
    ASSERT_EQ(slotsInUse(), slots);
    ASSERT_EQ(image->ClearArea(dvd), 0);
    ASSERT_EQ(image->ClearArea(dvd + 1), 0);
    EXPECT_EQ(static_cast<int>(unnamedSlots(image->snapshot()).size()), slots);

    // A code already in an unnamed slot reuses it without freeing anything.
    ASSERT_EQ(image->StoreLearnedKey("12", converted("500100", dataOfUnits(1)), tv), StoreResult::Stored);
    EXPECT_EQ(slotsInUse(), slots);

    // A new code finds no free slot: the unnamed ones are freed, the named one stays.
    ASSERT_EQ(image->StoreLearnedKey("13", converted("51AAAA", dataOfUnits(2)), tv), StoreResult::Stored);
    EXPECT_EQ(slotsInUse(), 2);
    EXPECT_TRUE(unnamedSlots(image->snapshot()).empty());
    EXPECT_EQ(image->keystatelist()[5], "12|2|1|01");
    expectConsistent();
}

TEST_F(StoringKeys, ReclaimingWithAFailingWriteChangesNothing)
{
    ASSERT_EQ(image->StoreLearnedKey("12", converted("41EEEE", dataOfUnits(2)), dvd), StoreResult::Stored);
    ASSERT_EQ(image->ClearArea(dvd), 0);
    folder().setFaultCount("fail-writes", 1);
    EXPECT_EQ(image->ReclaimUnnamedSlots(), 0);
    folder().setFaultCount("fail-writes", 0);
    EXPECT_EQ(slotsInUse(), 1);
    expectConsistent();
    EXPECT_EQ(image->ReclaimUnnamedSlots(), 1);
    EXPECT_EQ(slotsInUse(), 0);
    expectConsistent();
}

TEST_F(StoringKeys, AreasOutsideTheImageChangeNothing)
{
    const auto before = link().callCount();
    EXPECT_EQ(image->ClearArea(image->layout().areacount), 0);
    EXPECT_EQ(image->ClearArea(-1), 0);
    image->MarkKeyUnlearned(image->layout().areacount, "12");
    EXPECT_EQ(image->StoreLearnedKey("12", converted("010000"), image->layout().areacount),
              StoreResult::RecordWriteFailed);
    EXPECT_EQ(link().callCount(), before);
}

TEST_F(StoringKeys, WritesNeverTouchTheIdentityOrPointerBlocks)
{
    // A layout whose index block and records a broken header put over the protected blocks.
    ImageSnapshot snapshot = reload();
    const std::string identity = link().readData(0xB000, 10, 256).substr(0, 160);
    snapshot.layout.indexaddr = 0xB03C - 4;
    snapshot.layout.recordaddr = 0xB000 - 22 * 5;
    MemoryImage broken(link(), snapshot);
    EXPECT_NE(broken.StoreLearnedKey("12", converted("41EEEE", dataOfUnits(2)), tv), StoreResult::Stored);
    EXPECT_NE(broken.StoreLearnedKey("12", converted("010000"), tv), StoreResult::Stored)
        << "record 5 is at B000";
    EXPECT_EQ(link().readData(0xB000, 10, 256).substr(0, 160), identity);
}

TEST_F(StoringKeys, NextWriterGivesBackTheSlotOfAStoreKilledBeforeItsRecord)
{
    const SlotJournal journal(statePath() / "journal");
    image->setJournal(&journal);
    ASSERT_EQ(image->StoreLearnedKey("12", converted("41EEEE", dataOfUnits(2)), tv), StoreResult::Stored);
    ASSERT_EQ(image->StoreLearnedKey("13", converted("41DDDD", dataOfUnits(2)), tv), StoreResult::Stored);
    EXPECT_TRUE(journal.interrupted().empty()) << "a finished store leaves no note";

    // As a program killed between writing slot 00 in use and writing key 12's record leaves it:
    // the record does not hold the code, the note names the slot.
    ASSERT_TRUE(link().writeData("A5", image->layout().recordAddress(5), "00"));
    ASSERT_TRUE(journal.taking(0));
    // And a note for a slot whose record was written before the kill: slot 01 must stay.
    MemoryImage next(link(), reload());
    next.setJournal(&journal);
    ASSERT_EQ(unnamedSlots(next.snapshot()), std::vector<int>{0});
    // Giving it back fails: the store must not go on, or its own note would replace this one.
    folder().setFaultCount("fail-writes", 1);
    EXPECT_EQ(next.StoreLearnedKey("14", converted("41CCCC", dataOfUnits(1)), tv),
              StoreResult::RecordWriteFailed);
    folder().setFaultCount("fail-writes", 0);
    EXPECT_EQ(journal.interrupted(), std::vector<int>{0});
    ASSERT_EQ(next.StoreLearnedKey("14", converted("010000"), tv), StoreResult::Stored);
    EXPECT_TRUE(unnamedSlots(reload()).empty());
    EXPECT_TRUE(reload().slotTable[1].inUse());
    EXPECT_TRUE(journal.interrupted().empty());

    ASSERT_TRUE(journal.taking(1));
    MemoryImage third(link(), reload());
    third.setJournal(&journal);
    ASSERT_TRUE(third.ReleaseKeyRecord(7, "14"));
    EXPECT_TRUE(reload().slotTable[1].inUse()) << "key 13 still names slot 01";
    EXPECT_TRUE(journal.interrupted().empty());
}

namespace {

// The remote's writes stopped at one of them: that write fails, or the writer dies there (an
// exception unwinds it, leaving the remote as a kill would: every write before it done, none after,
// and the journal as it was at that moment).
struct StoppedWrites
{
    struct Killed
    {
    };
    static inline LinkFunctions real;
    static inline int passing = 0; // writes still let through before the stop
    static inline bool kill = false;

    static tavrio_bool TAVRIO_CALL writeData(const char* tag, const char* high, const char* low,
                                             const char* data)
    {
        if (passing-- != 0)
            return real.writeData(tag, high, low, data);
        if (kill)
            throw Killed{};
        return 0;
    }
};

} // namespace

class InterruptedChanges : public StoringKeys
{
protected:
    void SetUp() override
    {
        StoringKeys::SetUp();
        std::string error;
        m_library = LinkLibrary::load(test::binFolder(), &error);
        ASSERT_TRUE(m_library) << error;
        StoppedWrites::real = m_library->functions();
        LinkFunctions stopping = StoppedWrites::real;
        stopping.writeData = StoppedWrites::writeData;
        m_stoppingLink = std::make_unique<RemoteLink>(stopping);
    }
    // Runs the change on a writer whose remote stops at write `step`; whether it got there.
    template <typename Change> bool interruptAt(int step, bool kill, Change&& change)
    {
        MemoryImage writer(*m_stoppingLink, reload());
        writer.setJournal(&journal);
        StoppedWrites::passing = step;
        StoppedWrites::kill = kill;
        try {
            change(writer);
        } catch (const StoppedWrites::Killed&) {
        }
        const bool reached = StoppedWrites::passing < 0;
        StoppedWrites::passing = -1;
        return reached;
    }
    const SlotJournal journal{statePath() / "journal"};

private:
    std::unique_ptr<LinkLibrary> m_library;
    std::unique_ptr<RemoteLink> m_stoppingLink;
};

TEST_F(InterruptedChanges, TheNextWriterLeavesNoSlotThatNothingNames)
{
    struct Change
    {
        const char* what;
        std::function<void(MemoryImage&)> run;
        std::vector<std::string> outcomes; // what key 12's record may name afterwards
    };
    const std::vector<Change> changes = {
        {"re-learning a key in a slot with a code for a new slot",
         [](MemoryImage& m) { m.StoreLearnedKey("12", converted("41DDDD", dataOfUnits(2)), tv); },
         {"slot 00", "slot 01"}},
        {"re-learning a key in a slot with a direct code",
         [](MemoryImage& m) { m.StoreLearnedKey("12", converted("010000"), tv); },
         {"slot 00", "direct"}},
        {"deleting a key in a slot",
         [](MemoryImage& m) { m.ReleaseKeyRecord(5, "12"); },
         {"slot 00", "none"}},
    };
    const auto key12 = [this] {
        const KeyRecord record = reload().records[5];
        return !record.holdsCode() ? std::string("none")
               : record.slot()     ? "slot " + hex::byte(*record.slot())
                                   : std::string("direct");
    };
    for (const Change& change : changes)
        for (const bool kill : {false, true}) {
            int steps = 0;
            for (;; ++steps) {
                SCOPED_TRACE(std::string(change.what) + (kill ? ": killed" : ": write failed") +
                             " at write " + std::to_string(steps));
                ASSERT_EQ(image->StoreLearnedKey("12", converted("41EEEE", dataOfUnits(2)), tv),
                          StoreResult::Stored);
                ASSERT_EQ(key12(), "slot 00");
                const bool reached = interruptAt(steps, kill, change.run);
                EXPECT_NE(std::find(change.outcomes.begin(), change.outcomes.end(), key12()),
                          change.outcomes.end())
                    << key12();

                // The next writer's first change gives back what the interrupted one left unnamed.
                image = std::make_unique<MemoryImage>(link(), reload());
                image->setJournal(&journal);
                ASSERT_EQ(image->StoreLearnedKey("14", converted("010000"), tv), StoreResult::Stored);
                EXPECT_TRUE(unnamedSlots(reload()).empty());
                EXPECT_TRUE(journal.interrupted().empty());
                expectConsistent();
                ASSERT_TRUE(image->ReleaseKeyRecord(5, "12"));
                if (!reached)
                    break;
            }
            EXPECT_GE(steps, 2) << change.what;
        }
}

TEST_F(StoringKeys, ChangesAreRefusedWhileTheTablesDisagree)
{
    // Key 13 names slot 05, which is free: a store handing out slot 05 would make key 13 play its code.
    ASSERT_TRUE(
        link().writeData("A5", image->layout().recordAddress(6), "C0008005FFFF" + std::string(32, '0')));
    image = std::make_unique<MemoryImage>(link(), reload());
    MemoryImage& damaged = *image;
    const std::vector<std::pair<const char*, std::function<bool()>>> changes = {
        {"store",
         [&] {
             return damaged.StoreLearnedKey("12", converted("41EEEE", dataOfUnits(1)), tv) ==
                    StoreResult::Refused;
         }},
        {"release",
         [&] {
             return !damaged.ReleaseKeyRecord(6, "13");
         }},
        {"clear",
         [&] {
             return !damaged.ClearArea(tv);
         }},
        {"reclaim",
         [&] {
             return damaged.ReclaimUnnamedSlots() == 0;
         }},
    };
    const auto calls = link().callCount();
    for (const auto& [what, refused] : changes) {
        EXPECT_TRUE(refused()) << what;
        EXPECT_NE(damaged.refusal().find("check --repair"), std::string::npos)
            << what << ": " << damaged.refusal();
    }
    EXPECT_EQ(link().callCount(), calls) << "nothing may be read or written";

    const auto repair = damaged.Repair();
    ASSERT_TRUE(repair);
    EXPECT_EQ(repair->clearedRecords, std::vector<int>{6});
    EXPECT_TRUE(checkInvariants(reload()).empty());
    EXPECT_EQ(damaged.StoreLearnedKey("12", converted("41EEEE", dataOfUnits(1)), tv), StoreResult::Stored);
    expectConsistent();
}

TEST_F(StoringKeys, AReplacedRemoteGetsNoneOfTheTables)
{
    const std::string remoteid = link().readData(0xB000, 2, 64).substr(0, 30);
    struct Case
    {
        IdentityCheck when;
        int changesBeforeTheSwap;
        int identityReads; // by those changes
    };
    for (const Case c :
         {Case{IdentityCheck::BeforeFirstChange, 0, 0}, Case{IdentityCheck::BeforeFirstChange, 2, 1},
          Case{IdentityCheck::BeforeEachChange, 2, 2}}) {
        ASSERT_TRUE(remote::resetImage(folder()));
        MemoryImage writer(link(), reload());
        writer.setRemoteIdentity(link().readData(0xB000, 2, 64).substr(0, 30), c.when);
        const auto calls = link().callCount();
        for (int i = 0; i < c.changesBeforeTheSwap; ++i)
            ASSERT_EQ(writer.StoreLearnedKey(i ? "12" : "13", converted("010000"), tv), StoreResult::Stored);
        EXPECT_EQ(link().callCount() - calls,
                  static_cast<std::uint64_t>(c.changesBeforeTheSwap + c.identityReads));
        if (c.when == IdentityCheck::BeforeFirstChange && c.changesBeforeTheSwap > 0)
            continue; // a command makes its changes within moments of its check

        ASSERT_TRUE(remote::resetImage(folder()));
        const auto swapped = remote::readWholeFile(folder().imagePath());
        EXPECT_EQ(writer.StoreLearnedKey("14", converted("010000"), tv), StoreResult::Refused);
        EXPECT_FALSE(writer.ReleaseKeyRecord(6, "13"));
        EXPECT_NE(writer.refusal().find("换成另一个"), std::string::npos) << writer.refusal();
        EXPECT_EQ(remote::readWholeFile(folder().imagePath()), swapped);
    }
    EXPECT_NE(link().readData(0xB000, 2, 64).substr(0, 30), remoteid);
}
