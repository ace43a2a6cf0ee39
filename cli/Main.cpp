// tl5: the command-line tool over the wallet core. The entry point turns the arguments into UTF-8
// on every platform and hands them to RunTl5.
#include <string>
#include <vector>

#include "cli/Tl5.h"

#ifdef _WIN32
#include "platform/Text.h"

int wmain(int argc, wchar_t** argv) {
    std::vector<std::string> args;
    for (int i = 1; i < argc; ++i) args.push_back(tl5::Utf16ToUtf8(tl5::FromWide(argv[i])));
    return RunTl5(args);
}
#else
int main(int argc, char** argv) {
    std::vector<std::string> args(argv + 1, argv + argc);
    return RunTl5(args);
}
#endif
