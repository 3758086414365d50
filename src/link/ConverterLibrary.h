#pragma once

#include "SharedLibrary.h"
#include "tavrio.h"

#include <memory>
#include <string>

namespace qmv {

namespace bridge {
class BridgeConnection;
}

// The converter's one function, ConvertCode(text, mode): the maker's calling convention, the same
// as the link library's. The text it returns belongs to the library (see the converter's header).
using ConvertCodeFunction = const char*(TAVRIO_CALL*)(const char* text, int mode);

// The code converter "velquon.dll" loaded from a folder with its function ConvertCode: into
// this process, or, when it is built for the other word size, into the link bridge.
class ConverterLibrary
{
public:
    static constexpr const char* fileName = "velquon.dll";
    static constexpr const char* functionName = "ConvertCode";

    // On failure returns null and sets `error` (when given) to the reason.
    static std::unique_ptr<ConverterLibrary> load(const std::string& folder, std::string* error);
    static std::unique_ptr<ConverterLibrary> loadDirect(const std::string& folder, std::string* error);

    ~ConverterLibrary();
    ConverterLibrary(const ConverterLibrary&) = delete;
    ConverterLibrary& operator=(const ConverterLibrary&) = delete;

    ConvertCodeFunction convertCode() const { return m_convert; }
    bool bridged() const { return m_bridge != nullptr; }

private:
    ConverterLibrary() = default;
    std::unique_ptr<SharedLibrary> m_library;
    std::shared_ptr<bridge::BridgeConnection> m_bridge;
    ConvertCodeFunction m_convert = nullptr;
};

} // namespace qmv
