#pragma once

#include <memory>
#include <optional>
#include <string>

namespace qmv {

class ConverterLibrary;

// The code converter "velquon.dll", loaded by name from the program's folder the first time a
// code is converted and kept loaded afterwards (through the link bridge when it is built for the
// other word size).
class CodeConverter
{
public:
    static constexpr const char* fileName = "velquon.dll";
    static constexpr int convertMode = 2;

    explicit CodeConverter(std::string folder);
    ~CodeConverter();
    CodeConverter(const CodeConverter&) = delete;
    CodeConverter& operator=(const CodeConverter&) = delete;

    // The converted code of an encoded capture (its first five characters, the frame count and
    // carrier figure, are not the converter's). Empty when the library is missing, lacks
    // ConvertCode, or cannot convert the code.
    std::string convert(const std::string& encoded);
    bool available();

private:
    bool load();

    std::string m_folder;
    std::unique_ptr<ConverterLibrary> m_library;
};

// Trim, encode and convert a captured code: what a received code goes through before it is
// stored. `encoded` receives the encoded text (for the diagnostic memo), when given.
std::string convertCapture(CodeConverter& converter, const std::string& capture,
                           std::string* encoded = nullptr);

} // namespace qmv
