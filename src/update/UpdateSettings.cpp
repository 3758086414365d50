#include "UpdateSettings.h"

#include "IniDocument.h"

#include <QDir>
#include <QFile>

namespace qmv {

namespace {

QUrl rootOf(const QUrl& base)
{
    QUrl root = base.adjusted(QUrl::RemovePath | QUrl::RemoveQuery | QUrl::RemoveFragment);
    root.setPath(QStringLiteral("/"));
    return root;
}

// Only an absolute http or https URL is taken; anything else keeps the earlier setting.
bool usable(const QUrl& url)
{
    return url.isValid() && !url.host().isEmpty() &&
           (url.scheme() == QLatin1String("http") || url.scheme() == QLatin1String("https"));
}

void applyFile(UpdateSettings& settings, const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return;
    const IniDocument document = IniDocument::parse(IniDocument::decode(file.readAll()));
    const QString section = QStringLiteral("update");
    const QUrl base(document.value(section, QStringLiteral("url")));
    if (usable(base)) {
        settings.updateBase = base;
        settings.siteRoot = rootOf(base);
    }
    const QUrl site(document.value(section, QStringLiteral("site")));
    if (usable(site))
        settings.siteRoot = site;
    bool isNumber = false;
    const int timeout = document.value(section, QStringLiteral("probe_timeout_ms")).toInt(&isNumber);
    if (isNumber && timeout > 0)
        settings.probeTimeout = std::chrono::milliseconds(timeout);
}

} // namespace

QUrl UpdateSettings::listUrl() const
{
    QString base = updateBase.toString();
    while (base.endsWith(u'/'))
        base.chop(1);
    return QUrl(base + QLatin1String(listPath));
}

UpdateSettings UpdateSettings::load(const QString& folder, const QString& environmentValue)
{
    UpdateSettings settings;
    applyFile(settings, QDir(folder).filePath(QLatin1String(fileName)));
    const QUrl base(environmentValue.trimmed());
    if (usable(base)) {
        settings.updateBase = base;
        settings.siteRoot = rootOf(base);
    }
    return settings;
}

UpdateSettings UpdateSettings::load(const QString& folder)
{
    return load(folder, qEnvironmentVariable(environmentVariable));
}

} // namespace qmv
