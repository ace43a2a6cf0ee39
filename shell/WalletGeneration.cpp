#include "shell/WalletGeneration.h"

namespace tl5 {

WalletGeneration& AppWalletGeneration() {
    static WalletGeneration generation;
    return generation;
}

}  // namespace tl5
