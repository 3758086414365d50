#include "BatchStore.h"

#include "Keypad.h"
#include "RemoteLink.h"
#include "StoreFailure.h"
#include "Text.h"

#include <algorithm>

namespace qmv::transfer {

namespace {

// A link on which every write succeeds and nothing is sent: the trial run's remote.
tavrio_bool TAVRIO_CALL acceptWrite(const char*, const char*, const char*, const char*)
{
    return 1;
}

tavrio_bool TAVRIO_CALL refuseRead(char*, int, const char*, const char*, const char*)
{
    return 0;
}

const RemoteLink& trialLink()
{
    static const RemoteLink link([] {
        LinkFunctions functions;
        functions.writeData = acceptWrite;
        functions.readData = refuseRead;
        return functions;
    }());
    return link;
}

bool holdsExactly(const MemoryImage& image, const StoreItem& item)
{
    const auto row = image.rowOf(item.keyCode);
    if (!row)
        return false;
    const int index = image.entryIndex(item.area, *row);
    if (!image.stateOf(index).learned())
        return false;
    const KeyRecord& record = image.records()[static_cast<std::size_t>(index)];
    if (record.parameters != item.code.parameters)
        return false;
    if (const auto slot = record.slot())
        return *slot < static_cast<int>(image.slotTable().size()) &&
               image.slotTable()[static_cast<std::size_t>(*slot)].inUse() &&
               image.slotTable()[static_cast<std::size_t>(*slot)].identifier == item.code.identifier;
    return record.reference == item.code.identifier;
}

} // namespace

constexpr Texts shown{"qmv::transfer"};

std::string keyName(int area, const std::string& keyCode)
{
    std::string name = std::string(areaNames.at(static_cast<std::size_t>(area))) + " " + keyCode;
    if (const auto key = findKey(keyCode); key && !key->label.empty())
        name += " (" + std::string(key->label) + ")";
    return name;
}

std::vector<std::string> learnedKeysOverwritten(const MemoryImage& image, const std::vector<StoreItem>& items)
{
    std::vector<std::string> keys;
    for (const StoreItem& item : items) {
        const auto row = image.rowOf(item.keyCode);
        if (row && image.stateOf(image.entryIndex(item.area, *row)).learned() && !holdsExactly(image, item))
            keys.push_back(keyName(item.area, item.keyCode));
    }
    return keys;
}

StoreOutcome storeAll(MemoryImage& image, const std::vector<StoreItem>& items)
{
    StoreOutcome outcome;
    std::vector<const StoreItem*> toWrite;
    MemoryImage trial(trialLink(), image.snapshot());
    for (const StoreItem& item : items) {
        if (item.area < 0 || item.area >= image.layout().areacount) {
            outcome.refused = true;
            outcome.refusal =
                shown(QT_TRANSLATE_NOOP("qmv::transfer", "没有这个设备区：%1"), {std::to_string(item.area)});
            return outcome;
        }
        if (holdsExactly(image, item)) {
            outcome.unchanged.push_back(keyName(item.area, item.keyCode));
            continue;
        }
        const StoreResult result = trial.StoreLearnedKey(item.keyCode, item.code, item.area);
        if (result == StoreResult::Refused) {
            outcome.refused = true;
            outcome.refusal = trial.refusal();
            return outcome;
        }
        if (result != StoreResult::Stored) {
            outcome.refused = true;
            outcome.refusal = shown(QT_TRANSLATE_NOOP("qmv::transfer", "%1（%2）：%3，没有写入任何按键"),
                                    {keyName(item.area, item.keyCode), item.name, storeFailure(result)});
            return outcome;
        }
        toWrite.push_back(&item);
    }
    for (const StoreItem* item : toWrite) {
        const StoreResult result = image.StoreLearnedKey(item->keyCode, item->code, item->area);
        // The remote was replaced before this key: nothing more is written.
        if (result == StoreResult::Refused) {
            outcome.refused = outcome.stored.empty();
            outcome.refusal = image.refusal();
            if (!outcome.refused)
                for (auto rest = std::find(toWrite.begin(), toWrite.end(), item); rest != toWrite.end();
                     ++rest)
                    outcome.failed.push_back(keyName((*rest)->area, (*rest)->keyCode));
            return outcome;
        }
        (result == StoreResult::Stored ? outcome.stored : outcome.failed)
            .push_back(keyName(item->area, item->keyCode));
    }
    return outcome;
}

} // namespace qmv::transfer
