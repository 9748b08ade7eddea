// Linux has no registry of its own: the file store stands for it.

#include "RegistrySandbox.h"

namespace marvok::test {

std::vector<Backend> PlatformBackends() {
    return {};
}

}  // namespace marvok::test
