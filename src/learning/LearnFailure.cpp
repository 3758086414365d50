#include "LearnFailure.h"

#include "Text.h"

namespace qmv {

namespace {

constexpr Texts shown{"qmv::LearnFailure"};

} // namespace

std::string captureFailure(CaptureEnd end)
{
    switch (end) {
    case CaptureEnd::TimeLimit:
        return shown(QT_TRANSLATE_NOOP("qmv::LearnFailure", "6秒内没有收到原遥控器的编码"));
    case CaptureEnd::CaptureRefused:
        return shown(QT_TRANSLATE_NOOP("qmv::LearnFailure", "遥控器没有进入学习状态"));
    case CaptureEnd::RemoteGone:
        return shown(QT_TRANSLATE_NOOP("qmv::LearnFailure", "遥控器已拔出"));
    case CaptureEnd::Received:
    case CaptureEnd::Stopped:
    case CaptureEnd::Failed:
        break;
    }
    return shown(QT_TRANSLATE_NOOP("qmv::LearnFailure", "与遥控器通讯出错"));
}

std::string conversionFailure()
{
    return shown(QT_TRANSLATE_NOOP("qmv::LearnFailure", "收到的编码无法识别"));
}

} // namespace qmv
