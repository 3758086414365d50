#pragma once

#include "BatchStore.h"
#include "KeyNames.h"
#include "SignalFile.h"
#include "SignalRender.h"

#include <optional>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

namespace qmv::transfer {

// A whole device file made ready for one area: which signal goes to which key, the codes to
// store, and every problem with its line. Nothing is written here; the window shows this before
// it stores, the command line prints it. Signals are converted through `convert`.
struct PreparedImport
{
    ImportMapping mapping;
    std::vector<StoreItem> items;         // the mapped signals that rendered, in keypad order
    std::vector<FileProblem> problems;    // the file's and the rendering's
    std::vector<std::string> signalNames; // of the mapped signals, parallel to mapping.assignments
};
PreparedImport prepareImport(const SignalFile& file, int area, const CaptureConversion& convert);

// The one signal of a file to learn for a key: the one named, or the only one. Its stored code,
// or why it cannot be had (no such signal, several to choose from, a signal the remote cannot
// keep).
std::variant<StoreItem, std::string> prepareLearn(const SignalFile& file, int area,
                                                  const std::string& keyCode,
                                                  std::optional<std::string_view> signalName,
                                                  const CaptureConversion& convert);

// The report both front ends print after an import: unmapped signals, empty keys and problems.
std::vector<std::string> importReportLines(const PreparedImport& prepared);

} // namespace qmv::transfer
