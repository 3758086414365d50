// Codes carried between two virtual remotes (two state folders on one link library): export ->
// import, backup -> restore, what a key is described as, and batches that must write all or
// nothing.
#include "Backup.h"
#include "BatchStore.h"
#include "DeviceImport.h"
#include "ExportFormats.h"
#include "InProcessConversion.h"
#include "Keypad.h"
#include "LoadedImage.h"
#include "Player.h"
#include "RemoteFixture.h"
#include "SignalFile.h"
#include "SignalRender.h"
#include "StoredKeys.h"
#include "VirtualRemote.h"

#include <gtest/gtest.h>

using namespace qmv;
using namespace qmv::transfer;

namespace {

constexpr int TV = 0;
constexpr int CBL = 1;
constexpr int DVD = 2;

class TwoRemotes : public test::RemoteFixture
{
protected:
    void SetUp() override
    {
        RemoteFixture::SetUp();
        useSecond();
        remote::StateFolder(m_second.path()).setDemoEnabled(false);
        useFirst();
    }
    void useFirst() { test::setEnvironment("QMV718_REMOTE_DIR", statePath().string()); }
    void useSecond() { test::setEnvironment("QMV718_REMOTE_DIR", m_second.path().string()); }
    std::vector<std::uint8_t> memory(bool second) const
    {
        auto image = remote::loadOrCreateImage(remote::StateFolder(second ? m_second.path() : statePath()));
        EXPECT_TRUE(image);
        return image.value_or(std::vector<std::uint8_t>{});
    }
    std::optional<Playback> played(bool second, int area, const std::string& key) const
    {
        return remote::playKey(memory(second), area, rowOf(key));
    }
    static int rowOf(const std::string& key)
    {
        int row = 0;
        while (keypad[static_cast<std::size_t>(row)].code != key)
            ++row;
        return row;
    }
    std::vector<StoreItem> deviceItems(const std::string& file, int area)
    {
        std::string error;
        const auto text = readSignalFile(test::testDataFolder() + "transfer/" + file, &error);
        EXPECT_TRUE(text) << error;
        const PreparedImport prepared =
            prepareImport(parseSignalFile(text.value_or("")), area, test::convertInProcess);
        EXPECT_TRUE(prepared.problems.empty());
        return prepared.items;
    }
    // Imports the device file into the area of the remote in use.
    StoreOutcome importDevice(const std::string& file, int area)
    {
        MemoryImage image(link(), test::loadSnapshot(link()));
        return storeAll(image, deviceItems(file, area));
    }

private:
    test::ScratchFolder m_second;
};

} // namespace

TEST_F(TwoRemotes, ImportStoresMappedSignalsAndPlaysThemAsTheFileSays)
{
    const StoreOutcome outcome = importDevice("medion-tv.ir", TV);
    ASSERT_FALSE(outcome.refused) << outcome.refusal;
    EXPECT_TRUE(outcome.failed.empty());
    EXPECT_GE(outcome.stored.size(), 25u);
    EXPECT_TRUE(checkInvariants(test::loadSnapshot(link())).empty());

    // "Up" is a raw signal of the file; "Power" a parsed one.
    const SignalFile file =
        parseSignalFile(*readSignalFile(test::testDataFolder() + "transfer/medion-tv.ir", nullptr));
    const auto up = played(false, TV, "40");
    ASSERT_TRUE(up);
    auto learned = findSignal(file, "Up")->durations;
    if (learned.size() % 2 == 0)
        learned.pop_back(); // the pause after the signal is not sent
    ASSERT_EQ(up->durations.size(), learned.size());
    for (std::size_t i = 0; i < up->durations.size(); ++i)
        EXPECT_NEAR(up->durations[i], learned[i],
                    i % 2 == 1 && learned[i] >= 10981 ? 1000.0 : std::max(50.0, 0.08 * learned[i]));
    const auto power = played(false, TV, "10");
    const auto& protocol = *findSignal(file, "Power")->protocol;
    ASSERT_TRUE(power);
    EXPECT_EQ(power->durations,
              playedDurations(*protocolCode(protocol.protocol, protocol.address, protocol.command)));
}

TEST_F(TwoRemotes, AnExportedAreaImportsIntoAnotherRemoteAndPlaysTheSame)
{
    ASSERT_FALSE(importDevice("medion-tv.ir", DVD).refused);
    const StoredKeys keys(link(), test::loadSnapshot(link()));
    std::vector<std::string> unreadable;
    const auto learned = learnedKeys(keys, DVD, &unreadable);
    ASSERT_TRUE(unreadable.empty());
    ASSERT_GE(learned.size(), 25u);

    for (const ExportFormat format : {ExportFormat::Ir, ExportFormat::Json, ExportFormat::Pronto}) {
        const std::string exported = formatExport(learned, format, "DVD");
        useSecond();
        const PreparedImport prepared = prepareImport(parseSignalFile(exported), CBL, test::convertInProcess);
        EXPECT_TRUE(prepared.problems.empty());
        EXPECT_TRUE(prepared.mapping.unmappedSignals.empty());
        MemoryImage second(link(), test::loadSnapshot(link()));
        const StoreOutcome outcome = storeAll(second, prepared.items);
        ASSERT_FALSE(outcome.refused) << outcome.refusal;
        for (const ExportedKey& key : learned) {
            const auto original = played(false, DVD, key.keyCode);
            const auto copy = played(true, CBL, key.keyCode);
            ASSERT_TRUE(original && copy) << key.keyCode;
            if (format == ExportFormat::Pronto) {
                // Pronto keeps the timing only, rounded to whole carrier periods.
                ASSERT_EQ(copy->durations.size(), original->durations.size()) << key.keyCode;
                for (std::size_t i = 0; i < copy->durations.size(); ++i)
                    EXPECT_NEAR(copy->durations[i], original->durations[i],
                                std::max(50.0, 0.08 * original->durations[i]));
            } else {
                EXPECT_EQ(copy->durations, original->durations) << key.keyCode;
                EXPECT_EQ(copy->carrierHz, original->carrierHz);
            }
        }
        useFirst();
    }
}

TEST_F(TwoRemotes, BackupRestoresOnAnotherRemoteThroughTheStoringPath)
{
    ASSERT_FALSE(importDevice("medion-tv.ir", TV).refused);
    ASSERT_FALSE(importDevice("lg-tv.ir", 3).refused);
    const LoadedRemote first = [&] {
        test::ScriptedDialogs quiet;
        return *RemoteLoader(link(), quiet).load();
    }();
    const StoredKeys keys(link(), first.snapshot);
    std::vector<std::string> unreadable;
    const Backup saved = collectBackup(keys, first.lab_ykqtype, first.lab_gjbb, first.remoteid, &unreadable);
    ASSERT_TRUE(unreadable.empty());
    const std::string text = writeBackup(saved);

    useSecond();
    auto read = readBackup(text, "QMV-718");
    ASSERT_TRUE(std::holds_alternative<Backup>(read)) << std::get<std::string>(read);
    const Backup& restored = std::get<Backup>(read);
    EXPECT_EQ(restored.model, "QMV-718");
    EXPECT_EQ(restored.remoteid, first.remoteid);
    ASSERT_EQ(restored.keys.size(), saved.keys.size());
    MemoryImage second(link(), test::loadSnapshot(link()));
    EXPECT_TRUE(learnedKeysOverwritten(second, restored.keys).empty());
    const StoreOutcome outcome = storeAll(second, restored.keys);
    ASSERT_FALSE(outcome.refused) << outcome.refusal;
    EXPECT_EQ(outcome.stored.size(), saved.keys.size());
    EXPECT_TRUE(checkInvariants(test::loadSnapshot(link())).empty());
    for (const StoreItem& key : saved.keys)
        EXPECT_EQ(played(true, key.area, key.keyCode)->durations,
                  played(false, key.area, key.keyCode)->durations);

    // The same backup again changes nothing and writes nothing.
    const std::uint64_t calls = link().callCount();
    const StoreOutcome again = storeAll(second, restored.keys);
    EXPECT_TRUE(again.stored.empty());
    EXPECT_EQ(again.unchanged.size(), saved.keys.size());
    EXPECT_EQ(link().callCount(), calls);
}

TEST_F(TwoRemotes, DamagedOrForeignBackupsAreRefusedBeforeAnythingIsWritten)
{
    ASSERT_FALSE(importDevice("lg-tv.ir", TV).refused);
    test::ScriptedDialogs quiet;
    const LoadedRemote loaded = *RemoteLoader(link(), quiet).load();
    const StoredKeys keys(link(), loaded.snapshot);
    const std::string text =
        writeBackup(collectBackup(keys, loaded.lab_ykqtype, loaded.lab_gjbb, loaded.remoteid, nullptr));

    std::string damaged = text;
    damaged.replace(damaged.find("\"010000\""), 8, "\"020000\"");
    const auto refused = readBackup(damaged, "QMV-718");
    ASSERT_TRUE(std::holds_alternative<std::string>(refused));
    EXPECT_NE(std::get<std::string>(refused).find("校验和"), std::string::npos);

    std::string truncated = text.substr(0, text.size() / 2);
    EXPECT_TRUE(std::holds_alternative<std::string>(readBackup(truncated, "QMV-718")));
    EXPECT_TRUE(std::holds_alternative<std::string>(readBackup("Filetype: IR signals file\n", "QMV-718")));
    // Nesting that would overflow the stack of anything recursive is refused before it is parsed.
    const std::string deep = R"({"format": "qmv718-backup", "keys": )" + std::string(5000, '[') +
                             std::string(5000, ']') + R"(, "checksum": "00000000"})";
    const auto tooDeep = readBackup(deep, "QMV-718");
    ASSERT_TRUE(std::holds_alternative<std::string>(tooDeep));
    EXPECT_NE(std::get<std::string>(tooDeep).find("嵌套太深"), std::string::npos);

    // A sound backup of another model.
    Backup foreign = std::get<Backup>(readBackup(text, "QMV-718"));
    foreign.model = "QMV-719";
    const auto otherModel = readBackup(writeBackup(foreign), "QMV-718");
    ASSERT_TRUE(std::holds_alternative<std::string>(otherModel));
    EXPECT_NE(std::get<std::string>(otherModel).find("QMV-719"), std::string::npos);

    // A backup whose checksum is right but which names a key the keypad lacks.
    Backup bad = std::get<Backup>(readBackup(text, "QMV-718"));
    bad.keys.front().keyCode = "11";
    const auto badKey = readBackup(writeBackup(bad), "QMV-718");
    ASSERT_TRUE(std::holds_alternative<std::string>(badKey));
    EXPECT_NE(std::get<std::string>(badKey).find("11"), std::string::npos);
}

TEST_F(TwoRemotes, OverwritingLearnedKeysIsNamedBeforehand)
{
    ASSERT_FALSE(importDevice("lg-tv.ir", TV).refused);
    MemoryImage image(link(), test::loadSnapshot(link()));
    auto items = deviceItems("lg-tv.ir", TV);
    EXPECT_TRUE(learnedKeysOverwritten(image, items).empty()); // the very same codes
    items.front().code = *protocolCode("NEC", 0x05, 0x08);
    const auto overwritten = learnedKeysOverwritten(image, items);
    ASSERT_EQ(overwritten.size(), 1u);
    EXPECT_EQ(overwritten.front(), "TV 10 (POWER)");
}

TEST_F(TwoRemotes, ABatchThatDoesNotFitWritesNothing)
{
    // Every plain key of the TV area gets a code; the last key of the batch does not exist.
    std::vector<StoreItem> items;
    for (const KeyDefinition& key : keypad)
        if (key.selectsArea < 0) {
            IrSignal signal;
            signal.durations = {600, 600u + 13u * static_cast<std::uint32_t>(items.size()), 600};
            items.push_back({TV, std::string(key.code),
                             std::get<StoredCode>(renderSignal(signal, test::convertInProcess)), "s"});
        }
    items.push_back({TV, "11", *protocolCode("NEC", 1, 2), "nowhere"});
    const auto before = memory(false);
    MemoryImage image(link(), test::loadSnapshot(link()));
    const std::uint64_t calls = link().callCount();
    const StoreOutcome outcome = storeAll(image, items);
    EXPECT_TRUE(outcome.refused);
    EXPECT_NE(outcome.refusal.find("没有写入"), std::string::npos);
    EXPECT_EQ(link().callCount(), calls);
    EXPECT_EQ(memory(false), before);
}

TEST_F(TwoRemotes, DescriptionsNameProtocolFormSizeAndSharing)
{
    IrSignal raw;
    raw.durations = {3400, 1700, 430, 430, 430, 1290, 430, 430, 430, 1290, 430};
    const StoredCode code = std::get<StoredCode>(renderSignal(raw, test::convertInProcess));
    MemoryImage image(link(), test::loadSnapshot(link()));
    ASSERT_FALSE(storeAll(image, {{TV, "30", code, "a"},
                                  {CBL, "30", code, "b"},
                                  {TV, "10", *protocolCode("NEC", 0x04, 0x08), "power"}})
                     .refused);
    const StoredKeys keys(link(), test::loadSnapshot(link()));

    const KeyDescription power = describeKey(keys, TV, rowOf("10"));
    EXPECT_EQ(power.form, StoredFormKind::Protocol);
    EXPECT_NE(descriptionText(power).find("NEC 0x04 / 0x08"), std::string::npos);
    EXPECT_EQ(descriptionJson(power)["bytes"], 22);

    const KeyDescription volume = describeKey(keys, TV, rowOf("30"));
    ASSERT_TRUE(volume.slot);
    EXPECT_NE(volume.form, StoredFormKind::Protocol);
    EXPECT_EQ(volume.sharingKeys, 1);
    EXPECT_EQ(volume.durations, raw.durations.size());
    EXPECT_EQ(volume.carrierHz, 38000u);
    EXPECT_EQ(volume.slotBytes, static_cast<int>(code.data.size() + 15) / 16 * 8);
    const nlohmann::json json = descriptionJson(volume);
    EXPECT_EQ(json["sharingkeys"], 1);
    EXPECT_EQ(json["bytes"], 22 + volume.slotBytes);
    EXPECT_NE(descriptionText(volume).find("另有 1 个键共用"), std::string::npos);

    const KeyDescription empty = describeKey(keys, DVD, rowOf("30"));
    EXPECT_EQ(empty.form, StoredFormKind::None);
    EXPECT_EQ(keys.reads(), 1); // both keys share one slot, read once
}
