#include "CodeConverter.h"

#include "CaptureEncoding.h"
#include "SharedLibrary.h"
#include "velquon.h"

namespace qmv {

namespace {
constexpr std::size_t encodedPrefixChars = 5;
}

CodeConverter::CodeConverter(std::string folder)
    : m_folder(std::move(folder))
{
}

CodeConverter::~CodeConverter() = default;

bool CodeConverter::load()
{
    if (m_convert)
        return true;
    m_library = SharedLibrary::open(m_folder + fileName, nullptr);
    if (!m_library)
        return false;
    m_convert = reinterpret_cast<ConvertFunction>(m_library->symbol("ConvertCode"));
    if (!m_convert)
        m_library.reset(); // a library without the function is of no use: release it
    return m_convert != nullptr;
}

bool CodeConverter::available()
{
    return load();
}

std::string CodeConverter::convert(const std::string& encoded)
{
    if (!load())
        return {};
    const std::string body = encoded.size() > encodedPrefixChars ? encoded.substr(encodedPrefixChars) : std::string();
    const char* result = m_convert(body.c_str(), convertMode);
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
