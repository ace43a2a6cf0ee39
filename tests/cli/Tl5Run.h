// Runs the tl5 binary with given arguments and standard input, capturing its output and exit status.
#pragma once

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include <sys/wait.h>
#include <unistd.h>

namespace tl5clitest {

struct Tl5Result {
    int status = -1;
    std::string out;
    std::string err;
};

inline std::string ReadFileText(const std::filesystem::path& p) {
    std::ifstream in(p, std::ios::binary);
    std::stringstream s;
    s << in.rdbuf();
    return s.str();
}

inline void WriteFileText(const std::filesystem::path& p, const std::string& text) {
    std::ofstream out(p, std::ios::binary | std::ios::trunc);
    out << text;
}

inline std::string ShellQuote(const std::string& s) {
    std::string q = "'";
    for (char c : s) {
        if (c == '\'') q += "'\\''"; else q += c;
    }
    return q + "'";
}

// A temporary directory removed at the end of the test.
class TempDir {
public:
    TempDir() {
        std::string tmpl = (std::filesystem::temp_directory_path() / "tl5cli-XXXXXX").string();
        path_ = ::mkdtemp(tmpl.data());
    }
    ~TempDir() {
        std::error_code ec;
        std::filesystem::remove_all(path_, ec);
    }
    std::filesystem::path operator/(const std::string& name) const { return path_ / name; }
    const std::filesystem::path& Path() const { return path_; }

private:
    std::filesystem::path path_;
};

// With TL5_CLI_WINE_EXE naming tl5.exe, the same tests run the Windows program through Wine: paths
// under the temporary folder are passed as Wine sees them (drive Z: is the root), and the line ends
// of its output are read as the tests expect them.
inline const char* WineTl5() {
    const char* exe = std::getenv("TL5_CLI_WINE_EXE");
    return exe && *exe ? exe : nullptr;
}

inline std::string HostPathForTl5(const std::string& arg) {
    if (!WineTl5() || arg.empty() || arg[0] != '/') return arg;
    std::string p = "Z:" + arg;
    for (char& c : p)
        if (c == '/') c = '\\';
    return p;
}

inline std::string WithoutCarriageReturns(std::string s) {
    std::string out;
    out.reserve(s.size());
    for (size_t k = 0; k < s.size(); ++k)
        if (!(s[k] == '\r' && k + 1 < s.size() && s[k + 1] == '\n')) out += s[k];
    return out;
}

// The shell command that runs tl5 with the arguments (arguments under `temp` are paths).
inline std::string Tl5Command(const std::string& temp, const std::vector<std::string>& args) {
    std::string cmd = WineTl5() ? ShellQuote(std::string(TL5_SOURCE_DIR) + "/tools/wine-run.sh") + " " +
                                      ShellQuote(WineTl5())
                                : ShellQuote(TL5_EXE);
    for (const auto& a : args) cmd += " " + ShellQuote(a.rfind(temp, 0) == 0 ? HostPathForTl5(a) : a);
    return cmd;
}

inline std::string Tl5Output(std::string text) { return WineTl5() ? WithoutCarriageReturns(std::move(text)) : text; }

inline Tl5Result RunTl5(const TempDir& dir, const std::vector<std::string>& args, const std::string& input) {
    const auto in = dir / ".stdin", out = dir / ".stdout", err = dir / ".stderr";
    WriteFileText(in, input);
    std::string cmd = Tl5Command(dir.Path().string(), args);
    cmd += " < " + ShellQuote(in.string()) + " > " + ShellQuote(out.string()) + " 2> " + ShellQuote(err.string());
    Tl5Result r;
    const int raw = std::system(cmd.c_str());
    r.status = WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
    r.out = Tl5Output(ReadFileText(out));
    r.err = Tl5Output(ReadFileText(err));
    return r;
}

}  // namespace tl5clitest
