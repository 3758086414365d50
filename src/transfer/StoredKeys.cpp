#include "StoredKeys.h"

#include "Keypad.h"
#include "RemoteLink.h"
#include "SignalFile.h"
#include "Text.h"

#include <cstdio>
#include <numeric>

namespace qmv::transfer {

namespace {

constexpr Texts shown{"qmv::transfer"};

constexpr int kFirstPulseByte = 0x40;
constexpr int kFirstRawByte = 0x80;
constexpr int kFirstSlotByte = 0x22;

StoredFormKind formOf(const std::string& identifier)
{
    const int first = std::stoi(identifier.substr(0, 2), nullptr, 16);
    if (first < kFirstSlotByte && identifier.substr(2) == "0000")
        return StoredFormKind::Protocol;
    if (first >= kFirstRawByte)
        return StoredFormKind::Raw;
    if (first >= kFirstPulseByte)
        return StoredFormKind::Pulse;
    // A form this tool does not write, such as a code stored on the remote before it came here.
    return StoredFormKind::Other;
}

const char* formName(StoredFormKind form)
{
    switch (form) {
    case StoredFormKind::Protocol:
        return "protocol";
    case StoredFormKind::Pulse:
        return "pulse";
    case StoredFormKind::Raw:
        return "raw";
    case StoredFormKind::Other:
        return "other";
    case StoredFormKind::None:
        break;
    }
    return "none";
}

std::string hexValue(std::uint32_t value)
{
    char text[16];
    std::snprintf(text, sizeof text, "0x%02X", value);
    return text;
}

} // namespace

StoredKeys::StoredKeys(const RemoteLink& link, const ImageSnapshot& image)
    : m_link(link)
    , m_image(image)
{
}

std::optional<std::string> StoredKeys::slotData(int slot) const
{
    if (const auto it = m_slotData.find(slot); it != m_slotData.end())
        return it->second;
    const Slot& entry = m_image.slotTable[static_cast<std::size_t>(slot)];
    if (!entry.inUse() || entry.length == 0)
        return std::nullopt;
    const std::size_t chars = static_cast<std::size_t>(entry.length) * ImageLayout::unitBytes * 2;
    ++m_reads;
    const std::string text = m_link.readData(
        static_cast<std::uint16_t>(m_image.layout.codeaddr + ImageLayout::unitBytes * entry.start()),
        entry.length, chars + 16);
    if (text.size() < chars)
        return std::nullopt;
    return m_slotData[slot] = text.substr(0, chars);
}

std::optional<StoredCode> StoredKeys::code(int area, int row) const
{
    const int index = recordIndex(area, row);
    if (index < 0 || index >= static_cast<int>(m_image.records.size()))
        return std::nullopt;
    const KeyRecord& record = m_image.records[static_cast<std::size_t>(index)];
    if (!record.holdsCode())
        return std::nullopt;
    if (record.placement != 0x80)
        return StoredCode{record.reference, record.parameters, {}};
    const auto slot = record.slot();
    if (!slot || *slot >= static_cast<int>(m_image.slotTable.size()))
        return std::nullopt;
    const auto data = slotData(*slot);
    if (!data)
        return std::nullopt;
    return StoredCode{m_image.slotTable[static_cast<std::size_t>(*slot)].identifier, record.parameters,
                      *data};
}

KeyDescription describeKey(const StoredKeys& keys, int area, int row)
{
    const ImageSnapshot& image = keys.image();
    KeyDescription d;
    d.area = area;
    d.keyCode = image.keyCodes.at(static_cast<std::size_t>(row));
    if (const auto key = findKey(d.keyCode))
        d.label = std::string(key->label);
    const int index = keys.recordIndex(area, row);
    const KeyRecord& record = image.records.at(static_cast<std::size_t>(index));
    d.state = record.stateOfKey();
    const auto code = keys.code(area, row);
    if (!code)
        return d;
    d.form = formOf(code->identifier);
    d.recordBytes = ImageLayout::recordBytes;
    if ((d.protocol = describe(code->identifier, code->parameters))) {
        d.addressValue = lowFirstBytes(d.protocol->address).value_or(0);
        d.commandValue = lowFirstBytes(d.protocol->command).value_or(0);
    }
    if (const auto playback = play(code->identifier, code->parameters, code->data)) {
        d.durations = playback->durations.size();
        d.totalUs = std::accumulate(playback->durations.begin(), playback->durations.end(), 0u);
        d.carrierHz = playback->carrierHz;
    }
    if ((d.slot = record.slot())) {
        d.slotBytes = image.slotTable[static_cast<std::size_t>(*d.slot)].length * ImageLayout::unitBytes;
        for (std::size_t i = 0; i < image.records.size(); ++i)
            if (static_cast<int>(i) != index && image.records[i].slot() == d.slot)
                ++d.sharingKeys;
    }
    return d;
}

namespace {

// Appended rather than built as "\n" + line: GCC 12 warns falsely (-Wrestrict) about the latter.
void addLine(std::string& text, const std::string& line)
{
    text += '\n';
    text += line;
}

} // namespace

std::string descriptionText(const KeyDescription& d)
{
    std::string text = d.label.empty() ? d.keyCode : d.label + " (" + d.keyCode + ")";
    text += " · " + std::string(areaNames[static_cast<std::size_t>(d.area)]);
    if (d.form == StoredFormKind::None)
        return text + "\n" +
               (!d.state.holdsCode() ? shown(QT_TRANSLATE_NOOP("qmv::transfer", "没有编码"))
                                     : shown(QT_TRANSLATE_NOOP("qmv::transfer", "编码无法读取")));
    addLine(text, d.state.learned() ? shown(QT_TRANSLATE_NOOP("qmv::transfer", "已学习的编码"))
                                    : shown(QT_TRANSLATE_NOOP("qmv::transfer", "来自遥控器本身的编码")));
    if (d.protocol)
        addLine(text,
                d.protocol->protocol + " " + hexValue(d.addressValue) + " / " + hexValue(d.commandValue));
    else
        addLine(
            text,
            shown(QT_TRANSLATE_NOOP("qmv::transfer", "%1，%2 个时长，共 %3 ms"),
                  {d.form == StoredFormKind::Pulse ? shown(QT_TRANSLATE_NOOP("qmv::transfer", "脉冲形式"))
                   : d.form == StoredFormKind::Raw ? shown(QT_TRANSLATE_NOOP("qmv::transfer", "原始形式"))
                                                   : shown(QT_TRANSLATE_NOOP("qmv::transfer", "其他形式")),
                   std::to_string(d.durations), std::to_string((d.totalUs + 500) / 1000)}));
    char carrier[32];
    std::snprintf(carrier, sizeof carrier, "%.1f", d.carrierHz / 1000.0);
    addLine(text, shown(QT_TRANSLATE_NOOP("qmv::transfer", "载波 %1 kHz"), {carrier}));
    const std::string slotPart = d.slot ? shown(QT_TRANSLATE_NOOP("qmv::transfer", "，编码槽 %1：%2"),
                                                {std::to_string(*d.slot), std::to_string(d.slotBytes)})
                                        : std::string();
    addLine(text,
            shown(QT_TRANSLATE_NOOP("qmv::transfer", "占用 %1 字节（记录 %2%3）"),
                  {std::to_string(d.recordBytes + d.slotBytes), std::to_string(d.recordBytes), slotPart}));
    if (d.slot)
        addLine(text, d.sharingKeys == 0
                          ? shown(QT_TRANSLATE_NOOP("qmv::transfer", "编码槽由此键独用"))
                          : shown(QT_TRANSLATE_NOOP("qmv::transfer", "另有 %1 个键共用此编码槽"),
                                  {std::to_string(d.sharingKeys)}));
    return text;
}

nlohmann::json descriptionJson(const KeyDescription& d)
{
    nlohmann::json json{{"form", formName(d.form)}};
    if (d.form == StoredFormKind::None)
        return json;
    if (d.protocol) {
        json["protocol"] = d.protocol->protocol;
        json["addressvalue"] = d.addressValue;
        json["commandvalue"] = d.commandValue;
    }
    json["durations"] = d.durations;
    json["lengthus"] = d.totalUs;
    json["carrierhz"] = d.carrierHz;
    json["bytes"] = d.recordBytes + d.slotBytes;
    json["slotbytes"] = d.slotBytes;
    if (d.slot)
        json["sharingkeys"] = d.sharingKeys;
    return json;
}

} // namespace qmv::transfer
