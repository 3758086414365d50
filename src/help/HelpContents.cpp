#include "HelpContents.h"

#include <QRegularExpression>

namespace qmv {

namespace {

QString parameter(const QString& object, const QString& name)
{
    const QRegularExpression pattern(
        QStringLiteral(R"re(<param\s+name\s*=\s*"%1"\s+value\s*=\s*"([^"]*)")re").arg(name),
        QRegularExpression::CaseInsensitiveOption);
    const QRegularExpressionMatch match = pattern.match(object);
    return match.hasMatch() ? match.captured(1).trimmed() : QString();
}

QString unescaped(QString text)
{
    text.replace(QStringLiteral("&quot;"), QStringLiteral("\""));
    text.replace(QStringLiteral("&lt;"), QStringLiteral("<"));
    text.replace(QStringLiteral("&gt;"), QStringLiteral(">"));
    text.replace(QStringLiteral("&amp;"), QStringLiteral("&"));
    return text;
}

} // namespace

QList<HelpTopic> readHelpContents(const QString& toc)
{
    // Opening and closing list tags give the nesting; each sitemap object is one entry.
    static const QRegularExpression token(
        QStringLiteral(R"((<ul\b[^>]*>)|(</ul\s*>)|<object\s+type\s*=\s*"text/sitemap"[^>]*>(.*?)</object>)"),
        QRegularExpression::CaseInsensitiveOption | QRegularExpression::DotMatchesEverythingOption);
    QList<HelpTopic> topics;
    int level = 0;
    for (const QRegularExpressionMatch& match : token.globalMatch(toc)) {
        if (match.hasCaptured(1)) {
            ++level;
        } else if (match.hasCaptured(2)) {
            level = qMax(0, level - 1);
        } else {
            const QString object = match.captured(3);
            const QString page = parameter(object, QStringLiteral("Local"));
            if (!page.isEmpty())
                topics.append(
                    {unescaped(parameter(object, QStringLiteral("Name"))), page, qMax(0, level - 1)});
        }
    }
    return topics;
}

} // namespace qmv
