#pragma once

#include "RemoteLoader.h"

#include <nlohmann/json.hpp>

#include <ostream>

namespace qmv::cli {

// A description of the loaded remote: model, versions, counts, free space and every key.
// Reads the data of the slots in use from the remote, for what their keys hold.
nlohmann::json imageReport(const LoadedRemote& remote, const RemoteLink& link);
void printImageReport(const nlohmann::json& report, std::ostream& out);

} // namespace qmv::cli
