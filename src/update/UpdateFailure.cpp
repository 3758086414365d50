#include "UpdateFailure.h"

#include "UpdateTexts.h"

#include <array>

namespace qmv {

namespace {

struct ReasonNames
{
    const char* key;
    const char* text;
};

// In the order of UpdateFailure.
constexpr std::array<ReasonNames, static_cast<std::size_t>(UpdateFailure::Cancelled) + 1> reasonNames{{
    {"", ""},
    {"not found", updatetext::reasonNotFound},
    {"server error", updatetext::reasonServerError},
    {"unreachable", updatetext::reasonUnreachable},
    {"timed out", updatetext::reasonTimedOut},
    {"unsafe address", updatetext::reasonUnsafeAddress},
    {"wrong size", updatetext::reasonWrongSize},
    {"not a library", updatetext::reasonNotALibrary},
    {"hash mismatch", updatetext::reasonHashMismatch},
    {"not writable", updatetext::reasonNotWritable},
    {"refused name", updatetext::reasonRefusedName},
    {"no space", updatetext::reasonNoSpace},
    {"no backup", updatetext::reasonNoBackup},
    {"cancelled", updatetext::reasonCancelled},
}};

const ReasonNames& namesOf(UpdateFailure reason)
{
    return reasonNames.at(static_cast<std::size_t>(reason));
}

} // namespace

QString reasonText(UpdateFailure reason)
{
    return QString::fromStdString(updatetext::shown(namesOf(reason).text));
}

const char* reasonKey(UpdateFailure reason)
{
    return namesOf(reason).key;
}

QString describe(const Failure& failure)
{
    const QString reason = reasonText(failure.reason);
    return failure.detail.isEmpty() ? reason
                                    : QString::fromStdString(updatetext::shown(updatetext::withDetail))
                                          .arg(reason, failure.detail);
}

} // namespace qmv
