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

inline Tl5Result RunTl5(const TempDir& dir, const std::vector<std::string>& args, const std::string& input) {
    const auto in = dir / ".stdin", out = dir / ".stdout", err = dir / ".stderr";
    WriteFileText(in, input);
    std::string cmd = ShellQuote(TL5_EXE);
    for (const auto& a : args) cmd += " " + ShellQuote(a);
    cmd += " < " + ShellQuote(in.string()) + " > " + ShellQuote(out.string()) + " 2> " + ShellQuote(err.string());
    Tl5Result r;
    const int raw = std::system(cmd.c_str());
    r.status = WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
    r.out = ReadFileText(out);
    r.err = ReadFileText(err);
    return r;
}

}  // namespace tl5clitest
