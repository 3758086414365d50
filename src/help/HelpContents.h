#pragma once

#include <QList>
#include <QString>

namespace qmv {

// One entry of the help's table of contents: its title, the page it opens (relative to the help
// folder) and how deep it is nested (0 at the top).
struct HelpTopic
{
    QString title;
    QString page;
    int depth = 0;

    bool operator==(const HelpTopic&) const = default;
};

// Reads the table of contents the help compiler is given (toc.hhc: nested lists of
// <object type="text/sitemap"> entries with "Name" and "Local" parameters), so the window and
// the compiled help file show the same contents. Entries without a page are left out.
QList<HelpTopic> readHelpContents(const QString& toc);

} // namespace qmv
