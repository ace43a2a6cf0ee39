#include "exchange/ExportDialogRules.h"

namespace tl5 {

std::vector<ExportChoice> ExportItemChoices(int context) {
    std::vector<ExportChoice> items{{IDS_ENTIRE_WALLET, kExportWallet}};
    if (context == kExportContextOther) items.push_back({IDS_SELECTED_FOLDER, kExportFolder});
    if (context == kExportContextCard) {
        items.push_back({IDS_SELECTED_CARD, kExportCard});
        items.push_back({IDS_SELECTED_CARD_AS_FORM, kExportCardAsForm});
    }
    return items;
}

ExportFormatView ExportFormatFor(int items) {
    ExportFormatView view;
    if (items == kExportCardAsForm) {
        view.formats = {{IDS_FORM_FILE_TLX, kExportFormatForm}};
        view.firstBoxText = IDS_FIELD_VALUES;
        view.secondBoxShown = false;
    } else {
        view.formats = {{IDS_TEXT_FILE_TXT, kExportFormatText}};
        view.firstBoxText = IDS_PASSWORDS_IN_CLEAR_TEXT;
        view.secondBoxShown = true;
    }
    return view;
}

std::u16string ExportLocationText(const ExportLocationFacts& facts, const StringSource& strings) {
    if (!strings) return facts.volumeName;
    if (!facts.named) return strings(IDS_MAIN_MEMORY);
    const uint32_t kind = facts.onFixedCard ? IDS_BUILT_IN_STORAGE : IDS_STORAGE_CARD;
    return FormatText(u"%s (%s)", {strings(kind), facts.volumeName});
}

bool FinishExportRequest(const ExportDialogState& state, ExportRequest* request) {
    if (request == nullptr) return false;
    request->items = state.itemValue < 0 ? 0 : state.itemValue;
    request->format = state.formatValue < 0 ? 0 : state.formatValue;
    request->includeValues = state.firstBox;
    request->includeAttachments = state.secondBoxShown && state.secondBox;
    if (state.location == nullptr || state.location->empty()) return false;
    request->outputFolder = *state.location;
    return true;
}

TextImportQuestions::Step TextImportQuestions::Next() const {
    if (finished_ || row_ >= rows_) return Step::kFinished;
    if (all_) return Step::kImportRest;
    if (!offered_ && row_ == 4 && rows_ > 9) return Step::kOfferRest;
    return Step::kAskRow;
}

TextImportQuestions::Action TextImportQuestions::Answered(Answer answer) {
    switch (Next()) {
        case Step::kOfferRest:
            offered_ = true;
            if (answer == Answer::kYes) all_ = true;
            if (answer == Answer::kCancel) {
                finished_ = true;
                return Action::kStop;
            }
            return Action::kNothing;
        case Step::kAskRow:
            if (answer == Answer::kCancel) {
                finished_ = true;
                return Action::kStop;
            }
            ++row_;
            return answer == Answer::kYes ? Action::kImportRow : Action::kNothing;
        default: return Action::kNothing;
    }
}

}  // namespace tl5
