#include "ConverterLibrary.h"

#include "Text.h"

#include "BridgeConnection.h"
#include "BridgedFunctions.h"

namespace qmv {

ConverterLibrary::~ConverterLibrary()
{
    if (m_bridge)
        bridge::releaseBridge(m_bridge.get());
}

std::unique_ptr<ConverterLibrary> ConverterLibrary::load(const std::string& folder, std::string* error)
{
    if (!bridge::bridgeWanted(folder + fileName))
        return loadDirect(folder, error);
    auto connection = bridge::BridgeConnection::openFor(bridge::Library::Converter, folder, fileName, error);
    if (!connection)
        return nullptr;
    std::unique_ptr<ConverterLibrary> converter(new ConverterLibrary);
    converter->m_bridge = connection;
    converter->m_convert = bridge::bridgedConvertCode();
    bridge::installConverterBridge(std::move(connection));
    return converter;
}

std::unique_ptr<ConverterLibrary> ConverterLibrary::loadDirect(const std::string& folder, std::string* error)
{
    auto library = SharedLibrary::openMakers(folder, fileName,
                                             QT_TRANSLATE_NOOP("qmv::LinkLibrary", "编码转换库"), error);
    if (!library)
        return nullptr;
    auto convert = reinterpret_cast<ConvertCodeFunction>(library->symbol(functionName));
    if (!convert) {
        if (error)
            *error =
                formatText(translate("qmv::LinkLibrary", "编码转换库 %1 缺少函数 ConvertCode！"), {fileName});
        return nullptr;
    }
    std::unique_ptr<ConverterLibrary> converter(new ConverterLibrary);
    converter->m_library = std::move(library);
    converter->m_convert = convert;
    return converter;
}

} // namespace qmv
