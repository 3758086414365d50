#pragma once

#include <QColor>
#include <QFont>

// The colours and type of every picture the tool shows, kept in one place so that the window,
// the keypad and the help pictures read as one product.
namespace qmv::art {

namespace colour {
inline const QColor window{0x35, 0x7C, 0xA8}; // the main window's own background colour
inline const QColor windowLight{0x4B, 0x97, 0xC6};
inline const QColor windowDark{0x1E, 0x57, 0x7D};
inline const QColor titleBar{0x1A, 0x4D, 0x70};
inline const QColor ink{0x1B, 0x3A, 0x52}; // dark text on light cards
inline const QColor inkSoft{0x45, 0x63, 0x7A};
inline const QColor card{0xF4, 0xF9, 0xFD};
inline const QColor cardEdge{0x9C, 0xC4, 0xE0};
inline const QColor onBlue{0xFF, 0xFF, 0xFF}; // text on the blue background
inline const QColor onBlueSoft{0xD4, 0xE8, 0xF5};
inline const QColor accent{0xF5, 0x9E, 0x1B};  // orange: attention, learning
inline const QColor success{0x2F, 0xB3, 0x5B}; // green: learned
inline const QColor danger{0xD8, 0x3B, 0x30};  // red: stop, delete
inline const QColor infrared{0xE0, 0x3A, 0x4A};
// The remote itself.
inline const QColor caseTop{0x3A, 0x40, 0x49};
inline const QColor caseBottom{0x22, 0x26, 0x2C};
inline const QColor caseRim{0xB8, 0xC1, 0xCB};
inline const QColor silk{0xC9, 0xD3, 0xDD}; // printing on the remote's case
} // namespace colour

// The tool's typeface: the Windows Chinese face when present, else the Chinese face every
// Debian desktop has. Sizes are in pixels so that pictures come out the same on every screen.
QFont uiFont(qreal pixelSize, int weight = QFont::Normal);

// True when a face that can show the Chinese texts is installed.
bool chineseFontAvailable();

} // namespace qmv::art
