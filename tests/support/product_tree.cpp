#include "support/product_tree.h"

namespace testing_support {

ProductTree::ProductTree() {
    for (const auto& folder :
         {WorkDir(), Transfer(), Presentations(), CgiBin(), Files(), LogDir()}) {
        std::filesystem::create_directories(folder);
    }
}

BinaryRun ProductTree::Run(const std::vector<std::string>& args,
                           const std::vector<std::string>& extraEnvironment) const {
    return RunProgram(SLIDEPUB_BINARY, args, WorkDir(), extraEnvironment);
}

}  // namespace testing_support
