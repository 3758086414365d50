#pragma once

#include <QRect>
#include <QSize>

// Where the main window's controls sit (left, top, width, height), so that the background frames
// them and every button picture is cut from the background exactly where the button lies.
namespace qmv::art::window {

inline const QSize size{1016, 745};
inline const QSize backgroundSize{1016, 729};
inline const QRect keypadPanel{14, 0, 228, 745};
inline const QRect tabTv{447, 219, 77, 20};
inline const QRect tabDvd{550, 219, 79, 20};
inline const QRect tabAmp{655, 219, 78, 20};
inline const QRect tabCbl{758, 219, 77, 20};
inline const QRect stateLine{432, 276, 409, 19};
inline const QRect hint{439, 341, 409, 72};
inline const QRect animation{437, 338, 413, 72};
inline const QRect panelHasKeys{440, 413, 408, 165};
inline const QRect panelLearning{439, 412, 410, 167};
inline const QRect panelDeleting{439, 411, 409, 168};
inline const QRect panelNoKeys{438, 417, 411, 165};
inline const QRect beginStudy{408, 623, 161, 50};
inline const QRect deleteKey{593, 624, 152, 49};
inline const QRect clearKeys{779, 624, 150, 49};
inline const QRect modelLabel{766, 66, 146, 16};
inline const QRect versionLabel{766, 102, 148, 14};
inline const QRect firmwareLabel{766, 134, 146, 17};
inline const QRect help{692, 6, 95, 28};
inline const QRect update{820, 5, 97, 30};
inline const QRect minimize{927, 6, 38, 27};
inline const QRect close{969, 6, 38, 27};

// Frames drawn on the background around groups of controls.
inline const QRect mainFrame{398, 198, 540, 494};
inline const QRect stateStrip{426, 270, 422, 31};
inline const QRect workBox{432, 332, 424, 260};
inline const QRect infoCard{652, 54, 290, 112};
inline const int titleBarHeight = 42;

} // namespace qmv::art::window
