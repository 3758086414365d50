#pragma once

#include <QCoreApplication>

namespace qmv::art {

// The words drawn into the pictures. They are written in Chinese; the generator draws the pictures
// once more with the English translation installed, and Caption::tr() gives the words of the
// language being drawn.
class Caption
{
    Q_DECLARE_TR_FUNCTIONS(qmv::art::Caption)
};

} // namespace qmv::art
