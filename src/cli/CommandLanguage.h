#pragma once

#include <memory>

namespace qmv::cli {

// The option that chooses the command line's language.
extern const char* const commandLanguageOption;

// Chooses the command line's language (option, environment, locale) and installs its
// translation for as long as the returned handle lives. Built only where Qt is: a build without
// it has a Chinese command line.
std::shared_ptr<void> useCommandLanguage(int argc, const char* const* argv);

} // namespace qmv::cli
