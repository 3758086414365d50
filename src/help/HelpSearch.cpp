#include "HelpSearch.h"

#include <QRegularExpression>
#include <QStringList>
#include <QTextDocumentFragment>

#include <algorithm>

namespace qmv {

namespace {

constexpr int titleWeight = 10;

int occurrencesOf(const QString& word, const QString& text)
{
    return static_cast<int>(text.count(word));
}

} // namespace

QString HelpSearch::plainText(const QString& html)
{
    // Only the body is shown; the title and the style sheet link are not text of the page.
    static const QRegularExpression head(QStringLiteral("<head\\b.*</head>"),
                                         QRegularExpression::CaseInsensitiveOption |
                                             QRegularExpression::DotMatchesEverythingOption);
    QString body = html;
    body.remove(head);
    return QTextDocumentFragment::fromHtml(body).toPlainText();
}

QString HelpSearch::titleOf(const QString& html)
{
    static const QRegularExpression title(QStringLiteral("<title>(.*?)</title>"),
                                          QRegularExpression::CaseInsensitiveOption |
                                              QRegularExpression::DotMatchesEverythingOption);
    const QRegularExpressionMatch match = title.match(html);
    return match.hasMatch() ? QTextDocumentFragment::fromHtml(match.captured(1)).toPlainText().trimmed()
                            : QString();
}

void HelpSearch::addPage(const QString& page, const QString& html)
{
    m_pages.append({page, titleOf(html), plainText(html).toLower()});
}

QList<HelpHit> HelpSearch::find(const QString& query) const
{
    const QStringList words =
        query.toLower().split(QRegularExpression(QStringLiteral("\\s+")), Qt::SkipEmptyParts);
    QList<HelpHit> hits;
    if (words.isEmpty())
        return hits;
    for (const Page& page : m_pages) {
        const QString title = page.title.toLower();
        int total = 0;
        bool everyWord = true;
        for (const QString& word : words) {
            const int found = occurrencesOf(word, page.text) + titleWeight * occurrencesOf(word, title);
            if (found == 0) {
                everyWord = false;
                break;
            }
            total += found;
        }
        if (everyWord)
            hits.append({page.page, page.title, total});
    }
    std::stable_sort(hits.begin(), hits.end(),
                     [](const HelpHit& a, const HelpHit& b) { return a.score > b.score; });
    return hits;
}

} // namespace qmv
