#pragma once

#include <QImage>
#include <QList>
#include <QMap>
#include <QString>

// Pictures for the help file, put together from the generated pictures: the main window as the
// user sees it while learning, and the key looks side by side.
namespace qmv::art {

struct GeneratedPictures
{
    QImage canvas;                // the whole window's background
    QImage keypadBody;            // `z`
    QList<QList<QImage>> keySets; // not learned, learned, being learned, from elsewhere
    QMap<QString, QImage> forms;  // by resource name under ":/forms/"
    QMap<QString, QImage> named;  // by resource name in the named bundle
    QImage animationFrame;        // one frame of the learning animation
};

QImage composeLearningWindow(const GeneratedPictures& pictures);
// The remote on its own, keys not learned and TV current, transparent around its case.
QImage composeRemote(const GeneratedPictures& pictures);
QImage composeKeyLooks(const GeneratedPictures& pictures);

} // namespace qmv::art
