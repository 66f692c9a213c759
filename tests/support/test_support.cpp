#include "support/test_support.h"

namespace quontest {

std::string ModulePath() { return std::string(QUON_MODULE_DIR) + "/" + QUON_MODULE_FILE; }

}  // namespace quontest
