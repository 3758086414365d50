#pragma once

#include "Keypad.h"

#include <QPainter>
#include <QRectF>

// The face of one keypad key in each of its looks. The key is painted over whatever lies under its
// rectangle (the remote's body), so the picture is opaque and blends with the body around it.
namespace qmv::art {

enum class KeyLook {
    NotLearned, // plain key
    Learned,    // green glow and a tick
    Learning,   // amber, lit: waiting for the code
    Elsewhere,  // blue-grey with a small mark: a code the tool did not learn
    AreaCurrent // a power key whose area is the current one
};

inline constexpr KeyLook keyPictureLooks[] = {KeyLook::NotLearned, KeyLook::Learned, KeyLook::Learning,
                                              KeyLook::Elsewhere};

void paintKey(QPainter& painter, const QRectF& rect, const KeyDefinition& key, KeyLook look);

// A key without a label, for picture numbers that no keypad key uses.
void paintSpareKey(QPainter& painter, const QRectF& rect, KeyLook look);

} // namespace qmv::art
