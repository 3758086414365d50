#include "StoreFailure.h"

#include "Text.h"

namespace qmv {

std::string storeFailure(StoreResult result)
{
    constexpr Texts shown{"qmv::image"};
    switch (result) {
    case StoreResult::NoFreeSlot:
        return shown(QT_TRANSLATE_NOOP("qmv::image", "遥控器的编码索引已满，无法保存新的编码"));
    case StoreResult::NoRoom:
        return shown(QT_TRANSLATE_NOOP("qmv::image", "遥控器的编码存储区空间不足"));
    case StoreResult::InvalidCode:
        return shown(QT_TRANSLATE_NOOP("qmv::image", "转换后的编码无法保存"));
    case StoreResult::RecordWriteFailed:
        return shown(QT_TRANSLATE_NOOP("qmv::image", "写入遥控器失败"));
    case StoreResult::Refused: // only the image that refused knows why
    case StoreResult::Stored:
        break;
    }
    return {};
}

std::string storeFailure(StoreResult result, const MemoryImage& image)
{
    return result == StoreResult::Refused ? image.refusal() : storeFailure(result);
}

} // namespace qmv
