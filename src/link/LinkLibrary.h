#pragma once

#include "LinkFunctions.h"
#include "SharedLibrary.h"

#include <memory>
#include <string>

namespace qmv {

// The link library "tavrio.dll" loaded from a folder, with all seven operations resolved.
class LinkLibrary {
public:
    static constexpr const char* fileName = "tavrio.dll";

    // Loads the library from the folder (the program's own, normally). On failure returns null
    // and sets `error` to a message for the user naming what is missing.
    static std::unique_ptr<LinkLibrary> load(const std::string& folder, std::string* error);

    const LinkFunctions& functions() const { return m_functions; }

private:
    explicit LinkLibrary(std::unique_ptr<SharedLibrary> library);
    std::unique_ptr<SharedLibrary> m_library;
    LinkFunctions m_functions;
};

} // namespace qmv
