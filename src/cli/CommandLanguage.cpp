#include "CommandLanguage.h"

#include "Language.h"
#include "SharedLibrary.h"
#include "Translation.h"

namespace qmv::cli {

const char* const commandLanguageOption = languageOption;

std::shared_ptr<void> useCommandLanguage(int argc, const char* const* argv)
{
    return useProcessLanguage(argc, argv, QString::fromStdString(programFolder()));
}

} // namespace qmv::cli
