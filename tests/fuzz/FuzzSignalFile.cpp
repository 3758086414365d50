// Arbitrary files through the signal-file reader, and every signal it accepts through rendering
// and a device import. A file is read or refused with its reasons; a signal the reader accepts
// is whole (one form filled), and nothing may crash on the way.

#include "DeviceImport.h"
#include "InProcessConversion.h"
#include "SignalFile.h"
#include "SignalRender.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    const qmv::transfer::SignalFile file = qmv::transfer::parseSignalFile(text);
    if (file.rejected && (!file.entries.empty() || file.problems.empty()))
        std::abort(); // a refused file holds nothing and says why
    for (const qmv::transfer::IrSignal& signal : file.entries) {
        const int forms =
            (signal.protocol ? 1 : 0) + (signal.durations.empty() ? 0 : 1) + (signal.stored ? 1 : 0);
        if (forms != 1)
            std::abort();
        (void)qmv::transfer::renderSignal(signal, qmv::test::convertInProcess);
    }
    if (!file.rejected)
        (void)qmv::transfer::prepareImport(file, 0, qmv::test::convertInProcess);
    return 0;
}
