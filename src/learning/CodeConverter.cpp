#include "CodeConverter.h"

#include "CaptureEncoding.h"
#include "ConverterLibrary.h"

namespace qmv {

CodeConverter::CodeConverter(std::string folder)
    : m_folder(std::move(folder))
{
}

CodeConverter::~CodeConverter() = default;

bool CodeConverter::load()
{
    if (!m_library)
        m_library = ConverterLibrary::load(m_folder, nullptr);
    return m_library != nullptr;
}

bool CodeConverter::available()
{
    return load();
}

std::string CodeConverter::convert(const std::string& encoded)
{
    if (!load())
        return {};
    const std::string body(converterBody(encoded));
    const char* result = m_library->convertCode()(body.c_str(), convertMode);
    return result ? std::string(result) : std::string();
}

std::string convertCapture(CodeConverter& converter, const std::string& capture, std::string* encoded)
{
    const std::string text = EncodeCapture(TrimCapture(capture));
    if (encoded)
        *encoded = text;
    return converter.convert(text);
}

} // namespace qmv
