#pragma once

namespace qmv {

// Makes the windows' own pictures (":/forms/...") available. The pictures are compiled into a
// static library, whose resources the linker would drop unless something refers to them: call
// this once at start-up, before any window loads a picture.
void initFormPictures();

} // namespace qmv
