// quarvel-cli extract: saves every listed icon of the paths into a folder.
#include "Commands.h"

namespace quarvel::cli {

int RunExtract(const std::vector<std::string>&) {
    return UsageError();
}

} // namespace quarvel::cli
