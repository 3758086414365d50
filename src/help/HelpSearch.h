#pragma once

#include <QList>
#include <QString>

namespace qmv {

// A page found by a search; the higher the score, the more the page is about the words.
struct HelpHit
{
    QString page;
    QString title;
    int score = 0;
};

// The full text of the help pages, searched the way a reader expects: every word of the query
// (split at white space; Chinese, written without spaces, is searched as it stands) must occur
// on the page, letter case ignored. Pages are ranked by how often the words occur, a word in the
// title counting as much as ten in the text.
class HelpSearch
{
public:
    // `html` is the page as written; its tags and entities are not searched.
    void addPage(const QString& page, const QString& html);

    QList<HelpHit> find(const QString& query) const;

    static QString plainText(const QString& html);
    static QString titleOf(const QString& html);

private:
    struct Page
    {
        QString page;
        QString title;
        QString text; // plain text, folded to lower case
    };
    QList<Page> m_pages;
};

} // namespace qmv
