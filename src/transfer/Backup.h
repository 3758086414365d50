#pragma once

#include "BatchStore.h"

#include <string>
#include <string_view>
#include <variant>
#include <vector>

namespace qmv::transfer {

class StoredKeys;

// Everything the remote has learned, with the remote it came from.
struct Backup
{
    std::string model;
    std::string firmware;
    std::string remoteid;
    std::vector<StoreItem> keys; // every learned key of every area
};

// The learned keys of all areas; `unreadable` gets those whose code could not be read back.
Backup collectBackup(const StoredKeys& keys, std::string model, std::string firmware, std::string remoteid,
                     std::vector<std::string>* unreadable);

// A JSON document whose checksum covers everything else in it.
std::string writeBackup(const Backup& backup);

// The backup, or why it cannot be used: not a backup, damaged (checksum), made on another model
// than the attached remote's, or a code or key in it that is not valid.
std::variant<Backup, std::string> readBackup(std::string_view text, std::string_view attachedModel);

} // namespace qmv::transfer
