#pragma once

namespace qmv {

// Makes the help pages (":/help/...", with English pages tagged "en") available; like the
// window pictures they live in a static library, so call this before the help window opens.
void initHelpPages();

} // namespace qmv
