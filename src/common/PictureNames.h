#pragma once

// Names of every picture the windows show, shared by the picture generator (which draws them)
// and the windows (which load them), so the two can never drift apart.
namespace qmv::pictures {

// The five picture bundles beside the program. Each is a binary Qt resource file registered at
// run time under ":/<root>/"; the file names are the ones the tool has always looked for.
struct Bundle
{
    const char* fileName;
    const char* root;
};
inline constexpr Bundle notLearnedBundle{"on1803.dll", "on1803"}; // key pictures, state "0"
inline constexpr Bundle learnedBundle{"sn1803.dll", "sn1803"};    // key pictures, state "2"
inline constexpr Bundle learningBundle{"fn1803.dll", "fn1803"};   // key pictures, waiting for a code
inline constexpr Bundle namedBundle{"bn1803.dll", "bn1803"};      // hints, button pictures, animation
inline constexpr Bundle elsewhereBundle{"dn1803.dll", "dn1803"};  // key pictures, state "1"
inline constexpr int keyPicturesPerSet = 168;                     // "gif0" .. "gif167"
inline constexpr const char* keyPicturePrefix = "gif";

// Named pictures of the named bundle (JPEG) and its learning animation (an animated GIF).
inline constexpr const char* idleHint = "gifkorvix";
inline constexpr const char* learningHint = "jpgjingtai";
inline constexpr const char* deleteButton = "delete";
inline constexpr const char* deleteButtonGrey = "deletehui";
inline constexpr const char* stopDeleteButton = "stopdelete";
inline constexpr const char* clearButton = "clear";
inline constexpr const char* clearButtonGrey = "clearhui";
inline constexpr const char* learningAnimation = "flash1";

// Pictures that belong to the windows themselves, built into the program under ":/forms/".
namespace form {
inline constexpr const char* splash = ":/forms/splash";         // 462 x 258
inline constexpr const char* background = ":/forms/background"; // Image1, 1016 x 729, JPEG
inline constexpr const char* keypad = ":/forms/keypad";         // z, the remote's body
inline constexpr const char* panelHasKeys = ":/forms/image4";   // 408 x 165
inline constexpr const char* panelLearning = ":/forms/image5";  // 410 x 167
inline constexpr const char* panelDeleting = ":/forms/image7";  // 409 x 168
inline constexpr const char* panelNoKeys = ":/forms/image8";    // 411 x 165
inline constexpr const char* beginStudy = ":/forms/beginstudy"; // 开始学习, 161 x 50
inline constexpr const char* stopStudy = ":/forms/stopstudy";   // 停止学习 (its DisablePic)
inline constexpr const char* help = ":/forms/help";             // 95 x 28
inline constexpr const char* update = ":/forms/update";         // 97 x 30
inline constexpr const char* minimize = ":/forms/minimize";     // 38 x 27
inline constexpr const char* close = ":/forms/close";           // 38 x 27
// Area tabs: ":/forms/tab-tv" and ":/forms/tab-tv-current" (its DisablePic), likewise cbl, dvd, amp.
inline constexpr const char* tabPrefix = ":/forms/tab-";
inline constexpr const char* currentSuffix = "-current";
// Power keys' DisablePic (the highlighted look of the current area): ":/forms/power-00-current" etc.
inline constexpr const char* powerKeyPrefix = ":/forms/power-";
} // namespace form

} // namespace qmv::pictures
