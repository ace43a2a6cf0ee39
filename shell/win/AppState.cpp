#include "shell/win/AppState.h"

namespace tl5win {

AppState& App() {
    static AppState state;
    return state;
}

}  // namespace tl5win
