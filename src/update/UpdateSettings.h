#pragma once

#include "TransferLimits.h"

#include <QString>
#include <QUrl>

#include <chrono>

namespace qmv {

// Where the update looks: the update host the list is fetched from and the web site root the
// connection check asks. A compiled-in default of our own domain is overridden by a settings file
// beside the program, which is overridden by the environment.
//
//   [update]
//   url=https://update.example.org     the base "/keylearn/update.ini" is appended to
//   site=https://www.example.org/      the web site root; by default the root of url
//   probe_timeout_ms=10000
//   connect_timeout_ms=15000           until a request has gone out
//   stall_timeout_ms=15000             without any data
//   total_timeout_ms=600000            for one whole transfer
struct UpdateSettings
{
    static constexpr const char* fileName = "qmv718-update.ini";
    static constexpr const char* environmentVariable = "QMV718_UPDATE_URL";
    static constexpr const char* defaultBase = "http://update.qmv718.example";
    static constexpr const char* defaultSite = "http://www.qmv718.example/";
    static constexpr const char* listPath = "/keylearn/update.ini";

    QUrl updateBase{QString::fromLatin1(defaultBase)};
    QUrl siteRoot{QString::fromLatin1(defaultSite)};
    std::chrono::milliseconds probeTimeout{10000};
    TransferLimits limits;
    // The update list is small; anything longer is not one.
    static constexpr qint64 maxListBytes = 1024 * 1024;

    QUrl listUrl() const;

    // The settings for a program in `folder`, with the environment variable's value (empty when
    // unset) taking precedence; a base from the environment also moves the web site root to the
    // root of that base, so one variable points everything elsewhere.
    static UpdateSettings load(const QString& folder, const QString& environmentValue);
    // As above, with the variable read from this process's environment.
    static UpdateSettings load(const QString& folder);
};

} // namespace qmv
