// tl5 extract: writes an attachment of a card to a file the user names.
#include <cstdio>
#include <cstdlib>

#include "cli/CliCommon.h"
#include "cli/CliItems.h"
#include "platform/Text.h"

using namespace tl5;
using namespace tl5cli;

namespace {

int RunExtract(const std::vector<std::string>& args) {
    ParsedArgs p;
    if (!ParseArgs(args, {"--force"}, {"--out"}, &p) || p.positional.size() != 3 || !p.Value("--out")) {
        std::fprintf(stderr, "usage: tl5 extract WALLET CARD ATTACHMENT --out FILE [--force]\n"
                             "  ATTACHMENT: the slot number or the file name\n");
        return kExitUsage;
    }
    Wallet wallet;
    int status = kExitOk;
    if (!OpenWalletForCommand("extract", p.positional[0], true, &wallet, &status)) return status;
    std::unique_ptr<Card> card = LoadCardForCommand("extract", wallet, ResolveItem("extract", wallet, p.positional[1]));
    if (!card) return kExitFailure;
    const std::string& which = p.positional[2];
    int slot = -1;
    for (size_t s = 0; s < kMaxAttachments && slot < 0; ++s) {
        if (card->AttachmentAt(s).HasData() && card->AttachmentAt(s).fileName == Utf8ToUtf16(which)) slot = static_cast<int>(s);
    }
    if (slot < 0 && which.size() <= 2 && which.find_first_not_of("0123456789") == std::string::npos) {
        slot = std::atoi(which.c_str());
    }
    if (slot < 0 || !card->AttachmentAt(static_cast<size_t>(slot)).HasData()) {
        return ReportError("extract", "no attachment " + which, kExitFailure);
    }
    const Attachment& a = card->AttachmentAt(static_cast<size_t>(slot));
    std::unique_ptr<File> out;
    const FileMode mode = p.Has("--force") ? FileMode::CreateAlways : FileMode::CreateNew;
    const int rc = OsFileSystem().Open(ArgToPath(*p.Value("--out")), mode, FileShare::None, &out);
    if (rc == kFileExists) return ReportError("extract", *p.Value("--out") + " exists (use --force)", kExitIo);
    if (rc != kFileOk) return ReportError("extract", "cannot create " + *p.Value("--out"), kExitIo);
    size_t put = 0;
    if (!out->WriteAt(0, a.bytes.data.data(), a.bytes.Size(), &put) || put != a.bytes.Size() || !out->Flush()) {
        return ReportError("extract", "writing " + *p.Value("--out") + " failed", kExitIo);
    }
    return kExitOk;
}

}  // namespace

TL5_COMMAND("extract", "extract WALLET CARD ATTACHMENT --out FILE [--force]",
            "writes an attachment (slot or file name) to a file", RunExtract);
