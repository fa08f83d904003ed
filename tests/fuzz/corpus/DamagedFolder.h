// A folder's worth of damaged files, as a Downloads folder may hold them: the sound seeds, every
// damaged input of the corpus, the seeds cut at many lengths and with bytes overwritten. Each
// input is named with the extension its content suggests (.exe for an image file, .ico
// otherwise); damaged inputs come under the other extension as well.
#pragma once

#include "CorpusInputs.h"

namespace quarvel::fuzz {

std::vector<NamedInput> DamagedFolderInputs();

// The same made of the cursor seeds and the damaged cursors, each named with its own
// extension (.cur or .ani), as a folder of cursors collected from the web may hold them.
std::vector<NamedInput> DamagedCursorFolderInputs();

} // namespace quarvel::fuzz
