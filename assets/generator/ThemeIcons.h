#pragma once

#include <QDir>
#include <QString>

namespace qmv::art {

// The raster sizes of the program's icon in the desktop's icon theme.
inline constexpr int themeIconSizes[] = {16, 22, 24, 32, 48, 64, 128, 256};

// Writes the program's icon into `theme`, laid out as desktop icon themes are: the SVG itself as
// scalable/apps/<name>.svg and a rendering of it as <n>x<n>/apps/<name>.png for every raster size,
// where <name> is the SVG's file name less its extension. Returns what went wrong, or nothing.
QString writeThemeIcons(const QString& svgFile, const QDir& theme);

// Writes the program's icon as a Windows icon file (an .ico holding a PNG rendering for each of
// the sizes Windows asks for), for the program file, its shortcuts and its installer.
QString writeWindowsIcon(const QString& svgFile, const QString& icoFile);

} // namespace qmv::art
