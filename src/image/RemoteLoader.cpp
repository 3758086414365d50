#include "RemoteLoader.h"

#include "HexText.h"
#include "MemoryLayout.h"
#include "RemoteLink.h"

#include <algorithm>
#include <utility>

namespace qmv {

namespace {

constexpr Texts shown{"qmv::image"};

// A message that sends the user to the maker's web site (%1).
std::string withSite(const char* pattern)
{
    return shown(pattern, {makerWebSite});
}

constexpr std::size_t indexBlockBuffer = 3072;
constexpr int knownCodeUnits = 120;
constexpr std::size_t knownCodeBuffer = 2048;

} // namespace

std::string compatibilityMessage(const std::string& model, int major, int minor)
{
    std::string unsupported = withSite(
        QT_TRANSLATE_NOOP("qmv::image", "自学习软件不支持改遥控器，请到%1网站下载最新的该款自学习软件！"));
    std::string softwareOld =
        withSite(QT_TRANSLATE_NOOP("qmv::image", "自学习软件版本比较低，请到%1下载最新的该款自学习软件！"));
    if (model == "8888")
        return withSite(
            QT_TRANSLATE_NOOP("qmv::image", "遥控器固件程序版本比较低，请到%1网站下载最新的固件程序版本！"));
    if (model != "1803")
        return unsupported;
    if (major > 1)
        return softwareOld;
    if (major < 1)
        return withSite(
            QT_TRANSLATE_NOOP("qmv::image", "遥控器固件程序版本比较低，请到%1下载最新的固件程序版本！"));
    if (minor > 3)
        return softwareOld;
    if (minor < 3)
        return withSite(
            QT_TRANSLATE_NOOP("qmv::image", "遥控器固件版本比较低，请到%1下载最新的固件程序版本！"));
    return {};
}

RemoteLoader::RemoteLoader(const RemoteLink& link, Dialogs& dialogs, std::function<void()> processEvents)
    : m_link(link)
    , m_dialogs(dialogs)
    , m_processEvents(std::move(processEvents))
{
}

void RemoteLoader::fail(const std::string& text, bool plain)
{
    m_failure = text;
    if (plain)
        m_dialogs.plainMessage(text);
    else
        m_dialogs.messageBox(text, hintCaption, Buttons::Ok);
}

void RemoteLoader::badImage(const std::string& detail)
{
    fail(shown(QT_TRANSLATE_NOOP("qmv::image",
                                 "遥控器内存数据有误（%1），无法读取按键信息！请重新连接遥控器后再试。"),
               {detail}),
         false);
}

void RemoteLoader::linkLost()
{
    fail(translate("qmv::RemoteLoader", noRemoteMessage), false);
}

std::optional<std::string> RemoteLoader::read(std::uint16_t address, int units, std::size_t bufferSize)
{
    std::string text = m_link.readData(address, units, bufferSize);
    if (text.empty()) {
        linkLost();
        return std::nullopt;
    }
    return text;
}

bool RemoteLoader::waitForRemote()
{
    while (!m_link.linkState())
        if (m_dialogs.messageBox(translate("qmv::RemoteLoader", noRemoteMessage), hintCaption,
                                 Buttons::RetryCancel) != Reply::Retry)
            return false;
    return true;
}

bool RemoteLoader::checkVersion()
{
    const std::string version = m_link.readVersion();
    if (version.empty()) { // the call failed: the remote said nothing about its version
        linkLost();
        return false;
    }
    if (version.size() >= 4 && hex::equalsIgnoringCase(version.substr(0, 4), "1020"))
        return true;
    fail(compatibilityMessage("", 0, 0), true);
    return false;
}

std::optional<std::string> RemoteLoader::checkBasicInfo()
{
    const auto infoRead = read(memory::identityBlock, 6, 1024);
    if (!infoRead)
        return std::nullopt;
    const std::string& info = *infoRead;
    const std::string remoteid = info.substr(0, 30);
    m_firmwareLabel = firmwareLabel;
    const auto major = hex::byteAt(info, 32);
    const auto minor = hex::byteAt(info, 33);
    const std::string model = info.substr(70, 4);
    if (!major || !minor) {
        badImage(shown(QT_TRANSLATE_NOOP("qmv::image", "固件版本号不是十六进制数")));
        return std::nullopt;
    }
    if (const std::string message = compatibilityMessage(model, *major, *minor); !message.empty()) {
        fail(message, true);
        return std::nullopt;
    }
    return remoteid;
}

bool RemoteLoader::readLayout(ImageLayout& layout)
{
    const auto pointersRead = read(memory::infoBlock, 2, 512);
    if (!pointersRead)
        return false;
    const std::string& pointers = *pointersRead;
    const auto headeraddr = hex::le16At(pointers, 0);
    const auto relocbase = hex::le16At(pointers, 6);
    const auto bank = hex::byteAt(pointers, 8);
    if (!headeraddr || !relocbase || !bank) {
        badImage(shown(QT_TRANSLATE_NOOP("qmv::image", "存储区指针无法识别")));
        return false;
    }
    layout.headeraddr = static_cast<std::uint16_t>(*headeraddr);
    layout.relocbase = static_cast<std::uint16_t>(*relocbase);
    layout.bankcode = hex::byte(*bank);

    if (layout.headeraddr + 32L + 400 > 0x10000) {
        badImage(shown(QT_TRANSLATE_NOOP("qmv::image", "文件头超出存储范围")));
        return false;
    }
    const auto headerRead = read(layout.headeraddr, 5, 1024);
    if (!headerRead)
        return false;
    const std::string& header = *headerRead;
    const auto field8 = [&](std::size_t k) {
        return hex::byteAt(header, k);
    };
    const auto field16 = [&](std::size_t k) {
        return hex::le16At(header, k);
    };
    const auto recordcount = field16(0), bitmapbits = field16(8), records = field16(16), list = field16(24),
               index = field16(26), code = field16(28);
    const auto indexcount = field8(7), areacount = field8(10), keycount = field8(32);
    if (!recordcount || !bitmapbits || !records || !list || !index || !code || !indexcount || !areacount ||
        !keycount) {
        badImage(shown(QT_TRANSLATE_NOOP("qmv::image", "无法读取文件头")));
        return false;
    }
    layout.recordcount = *recordcount;
    layout.indexcount = *indexcount;
    layout.bitmapbits = *bitmapbits;
    layout.areacount = *areacount;
    layout.keycount = *keycount;
    layout.recordaddr = layout.relocate(*records);
    layout.listaddr = layout.relocate(*list);
    layout.indexaddr = layout.relocate(*index);
    layout.codeaddr = layout.relocate(*code);

    if (layout.recordcount == 0 || layout.indexcount == 0 || layout.bitmapbits == 0 ||
        layout.areacount == 0 || layout.keycount == 0) {
        badImage(shown(QT_TRANSLATE_NOOP("qmv::image", "计数为零")));
        return false;
    }
    if (layout.recordcount < layout.keycount * layout.areacount) {
        badImage(shown(QT_TRANSLATE_NOOP("qmv::image", "按键记录数少于按键数乘以设备数")));
        return false;
    }
    const int indexUnits = (layout.indexcount * 6 + layout.bitmapBytes()) / 8 + 1;
    if (static_cast<std::size_t>(indexUnits) * 16 > indexBlockBuffer) {
        badImage(shown(QT_TRANSLATE_NOOP("qmv::image", "索引区过大")));
        return false;
    }
    return true;
}

bool RemoteLoader::readTables(ImageSnapshot& snapshot)
{
    const ImageLayout& layout = snapshot.layout;

    const auto tableRead = read(static_cast<std::uint16_t>(layout.headeraddr + 32), 50, 1024);
    if (!tableRead)
        return false;
    const std::string& table = *tableRead;
    for (int row = 0; row < layout.keycount; ++row) {
        const auto code = hex::byteAt(table, 1 + static_cast<std::size_t>(row));
        if (!code) {
            badImage(shown(QT_TRANSLATE_NOOP("qmv::image", "无法读取按键码表")));
            return false;
        }
        snapshot.keyCodes.push_back(hex::byte(*code));
    }

    const int recordUnits = (layout.recordcount * 44) / 16 + 1;
    if (static_cast<long>(layout.recordaddr) + recordUnits * 8L > 0x10000) {
        badImage(shown(QT_TRANSLATE_NOOP("qmv::image", "按键记录超出存储范围")));
        return false;
    }
    const auto recordsRead =
        read(layout.recordaddr, recordUnits, static_cast<std::size_t>(layout.recordcount) * 44 + 16);
    if (!recordsRead)
        return false;
    const std::string& records = *recordsRead;
    for (int i = 0; i < layout.keycount * layout.areacount; ++i) {
        const auto record = KeyRecord::parse(std::string_view(records).substr(
            std::min<std::size_t>(records.size(), 44u * static_cast<std::size_t>(i))));
        if (!record) {
            badImage(shown(QT_TRANSLATE_NOOP("qmv::image", "无法读取按键记录")));
            return false;
        }
        snapshot.records.push_back(*record);
    }

    const int bitmapBytes = layout.bitmapBytes();
    const int indexUnits = (layout.indexcount * 6 + bitmapBytes) / 8 + 1;
    const auto indexRead = read(layout.indexaddr, indexUnits, indexBlockBuffer);
    if (!indexRead)
        return false;
    const std::string& index = *indexRead;
    const std::string bitmap = index.substr(0, std::min<std::size_t>(index.size(), 2u * bitmapBytes));
    if (bitmap.size() != 2u * bitmapBytes || !hex::isHex(bitmap)) {
        badImage(shown(QT_TRANSLATE_NOOP("qmv::image", "无法读取存储位图")));
        return false;
    }
    snapshot.bitmap = hex::upper(bitmap);
    for (int s = 0; s < layout.indexcount; ++s) {
        const std::size_t at = 2u * bitmapBytes + 12u * s;
        const auto slot = Slot::parse(std::string_view(index).substr(std::min(index.size(), at)));
        if (!slot) {
            badImage(shown(QT_TRANSLATE_NOOP("qmv::image", "无法读取编码索引")));
            return false;
        }
        snapshot.slotTable.push_back(*slot);
    }

    const auto knownRead = read(layout.listaddr, knownCodeUnits, knownCodeBuffer);
    if (!knownRead)
        return false;
    const std::string& known = *knownRead;
    const auto count = hex::le16At(known, 0);
    if (!count || 2 + 6 * *count > knownCodeUnits * 8) {
        badImage(shown(QT_TRANSLATE_NOOP("qmv::image", "无法读取已知编码表")));
        return false;
    }
    for (int i = 0; i < *count; ++i) {
        const std::string id = known.substr(4 + 12 * static_cast<std::size_t>(i), 6);
        if (!hex::isHex(id)) {
            badImage(shown(QT_TRANSLATE_NOOP("qmv::image", "无法读取已知编码表")));
            return false;
        }
        snapshot.knownCodes.push_back(hex::upper(id));
    }

    return true;
}

std::optional<LoadedRemote> RemoteLoader::load()
{
    m_failure.clear();
    if (!waitForRemote())
        return std::nullopt;
    if (m_processEvents)
        m_processEvents();
    if (!checkVersion())
        return std::nullopt;
    LoadedRemote loaded;
    const auto remoteid = checkBasicInfo();
    loaded.lab_gjbb = m_firmwareLabel;
    if (!remoteid)
        return std::nullopt;
    loaded.remoteid = *remoteid;
    loaded.lab_ykqtype = modelLabel;
    if (m_beforeTables)
        if (const std::string refusal = m_beforeTables(loaded.remoteid); !refusal.empty()) {
            fail(refusal, false);
            return std::nullopt;
        }
    if (!readLayout(loaded.snapshot.layout) || !readTables(loaded.snapshot))
        return std::nullopt;
    loaded.layoutProblems = layoutProblems(loaded.snapshot);
    const bool mendable = m_mendable && tablePlacementProblems(loaded.snapshot).empty();
    if (!loaded.layoutProblems.empty() && !m_lenient && !mendable) {
        badImage(loaded.layoutProblems.front());
        return std::nullopt;
    }
    return loaded;
}

} // namespace qmv
