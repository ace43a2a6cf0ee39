#include "exchange/TextExport.h"

#include <memory>
#include <new>
#include <span>
#include <vector>

#include "exchange/ExchangeNames.h"
#include "exchange/TextExportFile.h"
#include "model/CardBody.h"
#include "model/TreeIndex.h"
#include "model/Wallet.h"
#include "platform/LocalTime.h"
#include "platform/PathText.h"
#include "platform/SecureZero.h"

namespace tl5 {

namespace {

// The names of up to eight ancestors of a folder, outermost first, then the folder's own name.
std::vector<std::u16string> FolderPath(const Wallet& wallet, const TreeIndex& tree, uint32_t folder) {
    std::vector<std::u16string> path;
    path.push_back(wallet.ItemAt(folder).Name());
    int p = tree.Parent(folder);
    for (int n = 0; p >= 0 && n < kExportPathAncestors; ++n) {
        path.insert(path.begin(), wallet.ItemAt(static_cast<size_t>(p)).Name());
        p = tree.Parent(static_cast<uint32_t>(p));
    }
    return path;
}

}  // namespace

bool ExportText(Wallet& wallet, const ExportRequest& request, int selected, TextExportSummary* summary,
                const ExchangeTexts& texts) {
    TextExportSummary local;
    if (summary == nullptr) summary = &local;
    *summary = TextExportSummary();
    if (!wallet.IsOpen()) return false;
    const bool single = request.items == kExportCard;
    const bool folder = request.items == kExportFolder;
    if (single || folder) {
        if (selected < 0 || static_cast<size_t>(selected) >= wallet.ItemCount()) return false;
        const ItemRecord& r = wallet.ItemAt(selected);
        if (r.IsDeleted() || (single && r.Kind() != kItemKindCard) || (folder && !r.IsFolderLike())) return false;
    } else if (request.items != kExportWallet) {
        return false;
    }
    try {
        const SystemTime now = LocalTimeNow();
        std::u16string base = request.outputFolder.empty() ? OutputDocumentsFolder() : request.outputFolder;
        if (base.empty()) return false;
        const std::u16string exportFolder = JoinPath(base, wallet.Name());
        if (!EnsureOutputFolder(exportFolder)) return false;
        const std::u16string baseName = (single || folder) ? wallet.ItemAt(selected).Name() : wallet.Name();
        const std::u16string fileName = FittedExportFileName(exportFolder, baseName, now, kTextFileExtension);
        if (fileName.empty()) return false;
        const std::u16string path = JoinPath(exportFolder, fileName);

        TextExportFile out(wallet.Files());
        if (!out.Create(path)) return false;
        out.WriteStart(wallet.Name(), wallet.Path(), now, texts);

        int number = single ? 0 : 1;
        TextExportFile::CardOptions options;
        options.includeValues = request.includeValues;
        options.includeAttachments = request.includeAttachments;
        options.exportFolder = exportFolder;
        options.attachmentNumber = &number;

        if (single) {
            if (std::unique_ptr<Card> card = wallet.LoadCard(static_cast<size_t>(selected))) {
                out.WriteCard(*card, options);
                ++summary->cards;
            }
        } else {
            TreeIndex tree;
            if (!tree.Build(wallet)) return false;
            // One read buffer for the whole export, filled again for every card with the bytes as
            // stored (encrypted). Without attachments a card's texts are decrypted straight into the
            // output; with them the card is loaded (into one Card, filled again for every card) and
            // its attachments written out. A card that cannot be read is left out.
            std::vector<uint8_t> buffer;
            Card card;
            const std::shared_ptr<const CipherKey> key = wallet.RecordKey();
            auto writeCard = [&](uint32_t i) {
                if (request.includeAttachments) {
                    if (wallet.LoadCardInto(i, &card, true, &buffer) != kCardOk) return;
                    out.WriteCard(card, options);
                    ++summary->cards;
                    return;
                }
                size_t at = 0, length = 0;
                if (!key || wallet.ReadStoredCard(i, false, &buffer, &at, &length) != kCardOk) return;
                std::u16string name = wallet.ItemAt(i).Name();
                const bool written = out.WriteStoredCard(name, buffer.data() + at, length, *key, request.includeValues);
                SecureZero(name);
                if (written) ++summary->cards;
            };
            // Depth first: an item, then its children, then its next sibling.
            std::vector<uint32_t> stack;
            auto pushChildren = [&](std::span<const uint32_t> children) {
                for (auto it = children.rbegin(); it != children.rend(); ++it) stack.push_back(*it);
            };
            std::vector<bool> seen(wallet.ItemCount(), false);
            if (folder) {
                stack.push_back(static_cast<uint32_t>(selected));
            } else {
                pushChildren(tree.Top());
            }
            while (!stack.empty()) {
                const uint32_t i = stack.back();
                stack.pop_back();
                // The next entry's record is fetched while this one is written (tree order jumps about
                // the table).
                if (!stack.empty()) wallet.ItemAt(stack.back()).Prefetch();
                if (seen[i]) continue;
                seen[i] = true;
                const ItemRecord& r = wallet.ItemAt(i);
                if (r.IsFolderLike()) {
                    out.WriteFolderHeader(FolderPath(wallet, tree, i));
                    ++summary->folders;
                    pushChildren(tree.Children(i));
                } else if (r.Kind() == kItemKindCard && (folder || tree.Parent(i) >= 0)) {
                    writeCard(i);
                }
            }
        }
        if (!out.Finish()) return false;
        summary->path = path;
        summary->attachments = number - (single ? 0 : 1);
        return true;
    } catch (const std::bad_alloc&) {
        return false;
    }
}

}  // namespace tl5
