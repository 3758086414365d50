#include "UpdateSettings.h"

#include "HttpClient.h"
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

// Only an address the client will ask is taken; anything else keeps the earlier setting.
bool usable(const QUrl& url)
{
    return HttpClient::isAllowedAddress(url);
}

// A positive whole number of milliseconds replaces the setting; anything else keeps it.
void readDuration(const IniDocument& document, const QString& section, const QString& key,
                  std::chrono::milliseconds& target)
{
    bool isNumber = false;
    const int value = document.value(section, key).toInt(&isNumber);
    if (isNumber && value > 0)
        target = std::chrono::milliseconds(value);
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
    readDuration(document, section, QStringLiteral("probe_timeout_ms"), settings.probeTimeout);
    readDuration(document, section, QStringLiteral("connect_timeout_ms"), settings.limits.connect);
    readDuration(document, section, QStringLiteral("stall_timeout_ms"), settings.limits.stall);
    readDuration(document, section, QStringLiteral("total_timeout_ms"), settings.limits.total);
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
