// Thousands of learns, re-learns, deletes and clears against the virtual remote, with writes
// failing at random, checked after every step against the remote itself and against a model of
// what each key should hold.
#include "HexText.h"
#include "ImageTestSupport.h"

#include <gtest/gtest.h>

#include <map>
#include <random>

using namespace qmv;

namespace {

struct Code
{
    std::string identifier;
    std::string parameters;
    std::string data;
    bool needsSlot() const { return !data.empty(); }
};

class CodePool
{
public:
    explicit CodePool(std::mt19937& random)
        : m_random(random)
    {
        // Codes of a few "devices" share their slot data.
        for (int device = 0; device < 6; ++device)
            m_shared.push_back({"41" + hex::byte(device) + "00", "", dataOfUnits(1 + device * 3)});
    }

    Code next()
    {
        Code code;
        const int kind = pick(10);
        if (kind < 3) {
            code.identifier = kind == 0 ? "010000" : kind == 1 ? "210000" : "0B0000";
        } else if (kind < 7) {
            code = m_shared[static_cast<std::size_t>(pick(static_cast<int>(m_shared.size())))];
        } else {
            code.identifier = hex::byte(0x80 + pick(0x80)) + hex::byte(pick(256)) + hex::byte(pick(256));
            code.data = dataOfUnits(1 + pick(60));
        }
        for (int i = 0; i < 16; ++i)
            code.parameters += hex::byte(pick(256));
        return code;
    }

    int pick(int n) { return std::uniform_int_distribution<int>(0, n - 1)(m_random); }

private:
    std::string dataOfUnits(int units)
    {
        std::string data;
        for (int i = 0; i < units * 8; ++i)
            data += hex::byte(pick(256));
        return data;
    }

    std::mt19937& m_random;
    std::vector<Code> m_shared;
};

} // namespace

class RandomizedImage : public test::ImageFixture
{
protected:
    // What each record should hold according to the results the operations reported.
    std::map<int, Code> model;

    void checkAgainstRemote(int step, int touched)
    {
        const ImageSnapshot fresh = reload();
        const auto violations = checkInvariants(fresh);
        ASSERT_TRUE(violations.empty()) << "step " << step << ": " << violations.front();

        const ImageSnapshot mirror = image->snapshot();
        ASSERT_EQ(mirror.bitmap, fresh.bitmap) << "step " << step;
        for (std::size_t s = 0; s < fresh.slotTable.size(); ++s)
            ASSERT_EQ(mirror.slotTable[s].text(), fresh.slotTable[s].text())
                << "step " << step << " slot " << s;
        for (std::size_t i = 0; i < fresh.records.size(); ++i)
            ASSERT_EQ(image->keyState(static_cast<int>(i)), fresh.records[i].keyState())
                << "step " << step << " entry " << i;

        for (const auto& [index, code] : model) {
            const KeyRecord& record = fresh.records[static_cast<std::size_t>(index)];
            ASSERT_EQ(record.keyState(), '2') << "step " << step << " record " << index;
            ASSERT_EQ(record.parameters, code.parameters) << "step " << step;
            if (const auto slot = record.slot()) {
                ASSERT_EQ(fresh.slotTable[static_cast<std::size_t>(*slot)].identifier, code.identifier);
                if (index == touched)
                    expectSlotData(fresh.slotTable[static_cast<std::size_t>(*slot)], code.data, step);
            } else {
                ASSERT_EQ(record.reference, code.identifier) << "step " << step;
            }
        }
    }

    void expectSlotData(const Slot& slot, const std::string& data, int step)
    {
        const auto address = static_cast<std::uint16_t>(image->layout().codeaddr + 8 * slot.start());
        const std::string stored =
            link().readData(address, slot.length, static_cast<std::size_t>(slot.length) * 16);
        EXPECT_EQ(stored.substr(0, data.size()), data) << "step " << step;
    }
};

TEST_F(RandomizedImage, InvariantsHoldThroughThousandsOfOperationsWithFailingWrites)
{
    std::mt19937 random(20261207);
    CodePool codes(random);
    const auto& layout = image->layout();
    // A handful of keys in every area, so codes are often re-learned and slots shared.
    const std::vector<int> rows = {4, 5, 6, 7, 17, 19, 30, 40};
    int stored = 0, failed = 0, deleted = 0, cleared = 0;

    for (int step = 0; step < 2500; ++step) {
        if (codes.pick(10) < 3)
            folder().setFaultCount("fail-writes", 1 + codes.pick(3));

        const int area = codes.pick(layout.areacount);
        const int row = rows[static_cast<std::size_t>(codes.pick(static_cast<int>(rows.size())))];
        const int index = image->entryIndex(area, row);
        const std::string keyCode = image->keystatelist()[static_cast<std::size_t>(index)].substr(0, 2);
        const int operation = codes.pick(20);
        if (operation < 14) {
            const Code code = codes.next();
            const std::string text = code.identifier + "::" + code.parameters.substr(0, 16) + ":" +
                                     code.parameters.substr(16) + ":::" + code.data;
            if (image->StoreLearnedKey(keyCode, text, area) == StoreResult::Stored) {
                model[index] = code;
                ++stored;
            } else {
                ++failed;
            }
        } else if (operation < 19) {
            if (image->keyState(index) == '2' && image->ReleaseKeyRecord(index, keyCode)) {
                image->MarkKeyUnlearned(area, keyCode);
                model.erase(index);
                ++deleted;
            }
        } else {
            image->ClearArea(area);
            for (int r : rows)
                if (image->keyState(image->entryIndex(area, r)) != '2')
                    model.erase(image->entryIndex(area, r));
            ++cleared;
        }
        folder().setFaultCount("fail-writes", 0);
        checkAgainstRemote(step, index);
        if (HasFatalFailure())
            return;
    }
    // The run must have exercised every path, not just the happy one.
    EXPECT_GT(stored, 500);
    EXPECT_GT(failed, 100);
    EXPECT_GT(deleted, 50);
    EXPECT_GT(cleared, 50);
}
