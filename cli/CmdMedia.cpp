// tl5 image and tl5 sound: a card's background image and sound, from a file or cleared.
#include <cstdio>
#include <cstdlib>

#include "cli/CliCommon.h"
#include "cli/CliItems.h"

using namespace tl5;
using namespace tl5cli;

namespace {

int RunImage(const std::vector<std::string>& args) {
    ParsedArgs p;
    if (!ParseArgs(args, {"--clear"}, {"--position"}, &p) || p.positional.size() != 2 + (p.Has("--clear") ? 0 : 1)) {
        std::fprintf(stderr, "usage: tl5 image WALLET CARD FILE [--position 1-10]\n       tl5 image WALLET CARD --clear\n");
        return kExitUsage;
    }
    int position = kDefaultImagePosition;
    if (const std::string* text = p.Value("--position")) {
        position = std::atoi(text->c_str());
        if (position < 1 || position > 10) return ReportError("image", "the position is 1 to 10", kExitUsage);
    }
    CardImage image;
    if (!p.Has("--clear") && !image.SetFromFile(OsFileSystem(), ArgToPath(p.positional[2]), position)) {
        return ReportError("image", "cannot read " + p.positional[2] + " (or it is empty)", kExitIo);
    }
    Wallet wallet;
    int status = kExitOk;
    if (!OpenWalletForCommand("image", p.positional[0], false, &wallet, &status)) return status;
    std::unique_ptr<Card> card = LoadCardForCommand("image", wallet, ResolveItem("image", wallet, p.positional[1]));
    if (!card) return kExitFailure;
    if (p.Has("--clear")) {
        card->ClearImage();
    } else {
        card->SetImage(std::move(image));
    }
    const int saved = SaveCardForCommand("image", wallet, card.get());
    if (saved != kExitOk) return saved;
    return CloseWalletForCommand("image", &wallet);
}

int RunSound(const std::vector<std::string>& args) {
    ParsedArgs p;
    if (!ParseArgs(args, {"--clear", "--play-when-viewed"}, {}, &p) ||
        p.positional.size() != 2 + (p.Has("--clear") ? 0 : 1)) {
        std::fprintf(stderr, "usage: tl5 sound WALLET CARD FILE [--play-when-viewed]\n       tl5 sound WALLET CARD --clear\n");
        return kExitUsage;
    }
    CardSound sound;
    if (!p.Has("--clear")) {
        if (!sound.SetFromFile(OsFileSystem(), ArgToPath(p.positional[2]))) {
            return ReportError("sound", "cannot read " + p.positional[2] + " (or it is empty)", kExitIo);
        }
        sound.playWhenViewed = p.Has("--play-when-viewed") ? 1 : 0;
    }
    Wallet wallet;
    int status = kExitOk;
    if (!OpenWalletForCommand("sound", p.positional[0], false, &wallet, &status)) return status;
    std::unique_ptr<Card> card = LoadCardForCommand("sound", wallet, ResolveItem("sound", wallet, p.positional[1]));
    if (!card) return kExitFailure;
    if (p.Has("--clear")) {
        card->ClearSound();
    } else {
        card->SetSound(std::move(sound));
    }
    const int saved = SaveCardForCommand("sound", wallet, card.get());
    if (saved != kExitOk) return saved;
    return CloseWalletForCommand("sound", &wallet);
}

}  // namespace

TL5_COMMAND("image", "image WALLET CARD FILE|--clear [--position 1-10]", "sets or clears a card's background image",
            RunImage);
TL5_COMMAND("sound", "sound WALLET CARD FILE|--clear [--play-when-viewed]", "sets or clears a card's sound", RunSound);
