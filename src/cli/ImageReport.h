#pragma once

#include "RemoteLoader.h"

#include <nlohmann/json.hpp>

#include <ostream>

namespace qmv::cli {

// A description of the loaded remote: model, versions, counts, free space and every key.
nlohmann::json imageReport(const LoadedRemote& remote);
void printImageReport(const nlohmann::json& report, std::ostream& out);

} // namespace qmv::cli
