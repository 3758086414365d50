#pragma once

#include "CodeForm.h"
#include "MemoryImage.h"

#include <string>
#include <vector>

namespace qmv::transfer {

// One code to store: the key, its area, and the name it came under (for reports).
struct StoreItem
{
    int area = 0;
    std::string keyCode;
    StoredCode code;
    std::string name;
};

struct StoreOutcome
{
    bool refused = false;               // nothing was written
    std::string refusal;                // why, when refused, or why the keys after `stored` failed
    std::vector<std::string> stored;    // "TV 30" for each key written
    std::vector<std::string> unchanged; // keys that already held exactly this code
    std::vector<std::string> failed;    // keys whose write failed after others had been written
};

// "TV 30 (VOL+)"
std::string keyName(int area, const std::string& keyCode);

// Keys of the batch that hold a learned code now and would get another one.
std::vector<std::string> learnedKeysOverwritten(const MemoryImage& image,
                                                const std::vector<StoreItem>& items);

// Stores the batch through the image's normal storing path. The whole batch is first placed on a
// copy of the image that writes nowhere; when any key would not fit (no free slot, no room for
// its data, no such key), the batch is refused and nothing is written. A key that already holds
// exactly its code costs no write.
StoreOutcome storeAll(MemoryImage& image, const std::vector<StoreItem>& items);

} // namespace qmv::transfer
