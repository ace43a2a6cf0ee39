#include "dialogs/win/MediaDialogs.h"

#include <algorithm>
#include <memory>
#include <string>

#include "StringIds.h"
#include "cardui/win/CardPicture.h"
#include "cardui/win/DialogControls.h"
#include "cardui/win/DialogHost.h"
#include "cardui/win/DocChooser.h"
#include "cardui/win/FontCache.h"
#include "cardui/win/Strings.h"
#include "cardui/DocChooserRules.h"
#include "dialogs/MediaRules.h"
#include "model/Card.h"
#include "model/CardSoundPlayer.h"
#include "platform/CardServices.h"
#include "platform/DocumentsFolder.h"
#include "platform/File.h"
#include "platform/FormatText.h"
#include "platform/SecureZero.h"
#include "platform/Text.h"
#include "platform/win32/Win32Time.h"
#include "resources/messages.h"
#include "resources/resource.h"

namespace tl5win {

namespace {

constexpr COLORREF kWhite = RGB(255, 255, 255);

void SetLabel(HWND dialog, int id, UINT stringId) { SetDlgItemTextW(dialog, id, Text(stringId)); }

void Enable(HWND dialog, int id, bool on) {
    HWND control = GetDlgItem(dialog, id);
    // A button about to be disabled must not keep the focus, or the keyboard is lost.
    if (!on && GetFocus() == control) SendMessageW(dialog, WM_NEXTDLGCTL, 0, FALSE);
    EnableWindow(control, on ? TRUE : FALSE);
}

// "%s\n%s" of a message and a path.
std::wstring LineAndPath(UINT stringId, const std::u16string& path) {
    return tl5::ToWide(tl5::FormatText(u"%s\n%s", {TextU16(stringId), path}));
}

// Writes bytes to the documents folder under the export name of `storedName` and says how it went.
void ExportAndTell(HWND owner, const std::u16string& storedName, const tl5::MediaBytes& bytes,
                   tl5::ExportCollision collision) {
    const std::u16string name = tl5::MediaExportName(storedName, tl5::LocalTimeNow());
    const tl5::ExportOutcome out = tl5::ExportMediaFile(tl5::OsFileSystem(), tl5::EnsureDocumentsFolder(), name,
                                                        bytes.data.data(), bytes.Size(), collision);
    const bool ok = out.result == tl5::ExportResult::kWritten || out.result == tl5::ExportResult::kWrittenOtherName;
    ShowMessage(owner, LineAndPath(tl5::ExportMessageId(out.result), out.path.empty() ? name : out.path),
                ok ? IDS_APP_NAME : IDS_ERROR, ok ? MB_ICONINFORMATION : MB_ICONEXCLAMATION);
}

// Reads a chosen file whole; false (and nothing kept) when it cannot be read or is empty.
bool ReadChosenFile(const std::wstring& path, std::string* bytes) {
    return tl5::ReadWholeFile(tl5::OsFileSystem(), tl5::FromWide(path), bytes, tl5::kMaxMediaFileSize) &&
           !bytes->empty();
}

bool SameBytes(const tl5::MediaBytes& a, const tl5::MediaBytes& b) { return a.data == b.data; }

// ---- Attachments -----------------------------------------------------------------------------------

class AttachmentsDialog : public Dialog {
public:
    explicit AttachmentsDialog(tl5::Card& card) : Dialog(IDD_ATTACHMENTS), card_(card) {}

private:
    DialogFrameSpec Frame() override { return {Text(IDS_ATTACHMENTS_TITLE), IDI_TL_ATTACHMENT, IDMB_DONE}; }

    HWND List() const { return Item(IDC_ATTACH_LIST); }

    bool OnInit() override {
        SetLabel(Window(), IDC_ATTACH_ADD, IDS_ATTACH_ADD_FILE);
        SetLabel(Window(), IDC_ATTACH_REMOVE, IDS_ATTACH_REMOVE_FILE);
        SetLabel(Window(), IDC_ATTACH_EXPORT, IDS_ATTACH_EXPORT_FILE);
        SetLabel(Window(), IDC_ATTACH_OPEN, IDS_ATTACH_OPEN_FILE);
        SendMessageW(List(), WM_SETFONT, reinterpret_cast<WPARAM>(AppFontCache().Font(kFont9)), FALSE);
        PostMessageW(Window(), WMU_DIALOG_REFRESH, 0, 0);
        return true;
    }

    void OnRefresh() override {
        SendMessageW(List(), LB_RESETCONTENT, 0, 0);
        for (size_t slot = 0; slot < tl5::kMaxAttachments; ++slot) {
            const tl5::Attachment& a = card_.AttachmentAt(slot);
            if (!a.HasData()) continue;
            const LRESULT item = SendMessageW(List(), LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(tl5::ToWide(a.fileName).c_str()));
            if (item >= 0) SendMessageW(List(), LB_SETITEMDATA, static_cast<WPARAM>(item), static_cast<LPARAM>(slot));
        }
        SendMessageW(List(), LB_SETCURSEL, 0, 0);
        Update();
    }

    // The selected attachment's slot, or -1.
    int SelectedSlot() const {
        const LRESULT item = SendMessageW(List(), LB_GETCURSEL, 0, 0);
        if (item < 0) return -1;
        const LRESULT slot = SendMessageW(List(), LB_GETITEMDATA, static_cast<WPARAM>(item), 0);
        return slot >= 0 && slot < static_cast<LRESULT>(tl5::kMaxAttachments) &&
                       card_.AttachmentAt(static_cast<size_t>(slot)).HasData()
                   ? static_cast<int>(slot)
                   : -1;
    }

    void Update() {
        const int slot = SelectedSlot();
        std::wstring info;
        if (slot >= 0) {
            const tl5::Attachment& a = card_.AttachmentAt(static_cast<size_t>(slot));
            const SYSTEMTIME when = tl5::ToSystemTime(a.fileTime);
            wchar_t date[80] = {};
            const std::wstring picture = ShortDateFormat();
            if (GetDateFormatW(LOCALE_USER_DEFAULT, 0, &when, picture.empty() ? nullptr : picture.c_str(), date, 80) <= 0)
                date[0] = L'\0';
            const uint32_t size = a.bytes.Size() > 0xFFFFFFFFu ? 0xFFFFFFFFu : static_cast<uint32_t>(a.bytes.Size());
            info = tl5::ToWide(tl5::AttachmentInfoLine(TextU16(IDS_ATTACHMENT_INFO), tl5::FromWide(date),
                                                       tl5::FromWide(SizeText(size))));
        }
        SetDlgItemTextW(Window(), IDC_ATTACH_INFO, info.c_str());
        const tl5::AttachmentButtons b = tl5::AttachmentButtonStates(card_.AttachmentCount(), slot >= 0);
        Enable(Window(), IDC_ATTACH_ADD, b.add);
        Enable(Window(), IDC_ATTACH_REMOVE, b.remove);
        Enable(Window(), IDC_ATTACH_EXPORT, b.exportFile);
        Enable(Window(), IDC_ATTACH_OPEN, b.open);
    }

    bool OnCommand(int id, int code, HWND) override {
        switch (id) {
            case IDC_ATTACH_LIST:
                if (code == LBN_SELCHANGE) Update();
                return true;
            case IDC_ATTACH_ADD:
                if (card_.FirstFreeAttachmentSlot() < 0) return true;
                ArmDocChooser(DOC_CHOOSER_RESULT, L"*.*", Text(IDS_ALL_FILES), Text(IDS_ADD_ATTACHMENT_TITLE),
                              IDI_TL_ATTACHMENT, true);
                ShowDocChooser(Window());
                return true;
            case IDC_ATTACH_REMOVE: {
                const int slot = SelectedSlot();
                if (slot >= 0 && card_.ClearAttachment(static_cast<size_t>(slot))) card_.SetModified(true);
                OnRefresh();
                return true;
            }
            case IDC_ATTACH_EXPORT: {
                const int slot = SelectedSlot();
                if (slot < 0) return true;
                const tl5::Attachment& a = card_.AttachmentAt(static_cast<size_t>(slot));
                ExportAndTell(Window(), a.fileName, a.bytes, tl5::ExportCollision::kReplace);
                return true;
            }
            case IDC_ATTACH_OPEN: {
                const int slot = SelectedSlot();
                if (slot >= 0) OpenAttachmentFile(Window(), card_, static_cast<size_t>(slot));
                return true;
            }
            case IDM_DONE:
            case IDOK:
            case IDCANCEL: End(TRUE); return true;
            case IDM_CANCEL: End(FALSE); return true;
            default: return false;
        }
    }

    void OnDocumentChooserResult(int code) override {
        if (code != tl5::kDocChooserChosen) return;
        std::wstring path;
        if (!DocChooserChosenPath(&path) || path.empty()) return;
        tl5::Attachment a;
        // A file that cannot be read (or is empty) is not added; the slots stay as they are.
        if (card_.FirstFreeAttachmentSlot() >= 0 && a.SetFromFile(tl5::OsFileSystem(), tl5::FromWide(path)) &&
            card_.AddAttachment(std::move(a)) >= 0) {
            card_.SetModified(true);
        }
        OnRefresh();
    }

    tl5::Card& card_;
};

// ---- Background image ------------------------------------------------------------------------------

class ImageDialog : public Dialog {
public:
    explicit ImageDialog(tl5::Card& card) : Dialog(IDD_IMAGE), card_(card), picture_(std::make_unique<CardPicture>()) {}

private:
    DialogFrameSpec Frame() override { return {Text(IDS_IMAGE_TITLE), IDI_TL_IMAGE, IDMB_DONE_CANCEL}; }

    HWND Positions() const { return Item(IDC_IMAGE_POSITION); }

    bool OnInit() override {
        SetLabel(Window(), IDC_IMAGE_SELECT, IDS_SELECT_IMAGE);
        SetLabel(Window(), IDC_IMAGE_REMOVE, IDS_REMOVE_IMAGE);
        SetLabel(Window(), IDC_IMAGE_MATCH, IDS_MATCH_BACKGROUND);
        SetLabel(Window(), IDC_IMAGE_EXPORT, IDS_EXPORT_IMAGE);
        SetLabel(Window(), IDC_IMAGE_POSITION_LABEL, IDS_IMAGE_POSITION);
        SetLabel(Window(), IDC_IMAGE_FILE_LABEL, IDS_CURRENT_IMAGE_FILE);
        SetLabel(Window(), IDC_IMAGE_SCALE, IDS_SCALE_TO_FIT);
        for (int entry = 0; entry < tl5::kImagePositionCount; ++entry)
            SendMessageW(Positions(), CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(Text(tl5::ImagePositionNameId(entry))));
        int entry = tl5::ImagePositionEntryOfCode(tl5::kDefaultImagePosition);
        const tl5::CardImage& image = card_.Image();
        bool decoded = false;
        if (image.HasData()) {
            entry = tl5::ImagePositionEntryOfCode(image.position);
            decoded = picture_->LoadFromBytes(image.position, image.format, tl5::ToWide(image.fileName),
                                              image.bytes.data.data(), image.bytes.Size());
        }
        SendMessageW(Positions(), CB_SETCURSEL, static_cast<WPARAM>(entry), 0);
        state_.Start(decoded);
        PostMessageW(Window(), WMU_DIALOG_REFRESH, 0, 0);
        return true;
    }

    int PositionCode() const {
        return tl5::ImagePositionCodeOfEntry(static_cast<int>(SendMessageW(Positions(), CB_GETCURSEL, 0, 0)));
    }

    void OnRefresh() override {
        const bool loaded = state_.Loaded();
        SetDlgItemTextW(Window(), IDC_IMAGE_FILE, loaded ? picture_->FileName().c_str() : L"");
        Enable(Window(), IDC_IMAGE_REMOVE, loaded);
        Enable(Window(), IDC_IMAGE_MATCH, loaded);
        Enable(Window(), IDC_IMAGE_EXPORT, loaded);
        Enable(Window(), IDC_IMAGE_POSITION, loaded);
        InvalidateRect(Item(IDC_IMAGE_PREVIEW), nullptr, TRUE);
    }

    // The picture shrunk to fit the control keeping its proportions (never enlarged), centred.
    bool OnDrawItem(const DRAWITEMSTRUCT& item) override {
        if (item.CtlID != IDC_IMAGE_PREVIEW) return false;
        const RECT& r = item.rcItem;
        FillRect(item.hDC, &r, GetSysColorBrush(COLOR_BTNFACE));
        if (!state_.Loaded() || !picture_->Bitmap()) return true;
        const int boxW = r.right - r.left, boxH = r.bottom - r.top;
        int w = picture_->Width(), h = picture_->Height();
        if (w <= 0 || h <= 0 || boxW <= 0 || boxH <= 0) return true;
        if (w > boxW || h > boxH) {
            const double scale = std::min(static_cast<double>(boxW) / w, static_cast<double>(boxH) / h);
            w = std::max(1, static_cast<int>(w * scale));
            h = std::max(1, static_cast<int>(h * scale));
        }
        HDC source = CreateCompatibleDC(item.hDC);
        HGDIOBJ old = SelectObject(source, picture_->Bitmap());
        SetStretchBltMode(item.hDC, HALFTONE);
        SetBrushOrgEx(item.hDC, 0, 0, nullptr);
        StretchBlt(item.hDC, r.left + (boxW - w) / 2, r.top + (boxH - h) / 2, w, h, source, 0, 0, picture_->Width(),
                   picture_->Height(), SRCCOPY);
        SelectObject(source, old);
        DeleteDC(source);
        return true;
    }

    bool OnCommand(int id, int, HWND) override {
        switch (id) {
            case IDC_IMAGE_SELECT:
                ArmDocChooser(DOC_CHOOSER_RESULT, L"*.jpg;*.bmp;*.gif", Text(IDS_IMAGE_FILES),
                              Text(IDS_SELECT_IMAGE_TITLE), IDI_TL_IMAGE, true);
                ShowDocChooser(Window());
                return true;
            case IDC_IMAGE_REMOVE:
                picture_->Clear();
                state_.Removed();
                OnRefresh();
                return true;
            case IDC_IMAGE_MATCH: state_.Matched(); return true;
            case IDC_IMAGE_EXPORT:
                if (state_.Loaded())
                    ExportAndTell(Window(), tl5::FromWide(picture_->FileName()), picture_->Bytes(),
                                  tl5::ExportCollision::kFreeName);
                return true;
            case IDM_DONE:
            case IDOK:
            case IDCANCEL:
                Store();
                End(TRUE);
                return true;
            case IDM_CANCEL: End(FALSE); return true;
            default: return false;
        }
    }

    void OnDocumentChooserResult(int code) override {
        if (code != tl5::kDocChooserChosen) return;
        std::wstring path;
        if (!DocChooserChosenPath(&path) || path.empty()) {
            // None: no picture.
            picture_->Clear();
            state_.Removed();
            OnRefresh();
            return;
        }
        // The file is decoded beside the current picture, which it replaces only when it decoded.
        auto candidate = std::make_unique<CardPicture>();
        const bool decoded = candidate->LoadFromFile(path, PositionCode());
        state_.Selected(decoded);
        if (!decoded) {
            ShowMessage(Window(), IDS_IMAGE_FILE_UNREADABLE, IDS_ERROR, MB_ICONEXCLAMATION);
            return;
        }
        picture_ = std::move(candidate);
        OnRefresh();
    }

    // Done: the picture (or its absence) into the card, touching it only where something differs.
    void Store() {
        if (!state_.Loaded()) {
            if (card_.Image().HasData()) card_.ClearImage();
            return;
        }
        const tl5::CardImage& old = card_.Image();
        const int position = PositionCode();
        const std::u16string name = tl5::FromWide(picture_->FileName());
        if (!old.HasData() || old.position != position || old.fileName != name || !SameBytes(old.bytes, picture_->Bytes())) {
            tl5::CardImage image;
            const tl5::MediaBytes& bytes = picture_->Bytes();
            if (image.SetFromBytes(bytes.data.data(), bytes.Size(), name, picture_->Format())) {
                image.position = position;
                card_.SetImage(std::move(image));
            }
        }
        if (state_.Matching()) {
            const uint32_t colour = picture_->TopLeftColour() & 0xFFFFFF;
            tl5::CardHead& head = card_.Head();
            if ((head.words[tl5::CardHead::kBackgroundColour] & 0xFFFFFF) != colour) {
                head.words[tl5::CardHead::kBackgroundColour] = colour;
                card_.SetModified(true);
            }
        }
    }

    void OnDestroy() override { picture_->Clear(); }

    tl5::Card& card_;
    std::unique_ptr<CardPicture> picture_;
    tl5::ImageDialogState state_;
};

// ---- Sound -----------------------------------------------------------------------------------------

class SoundDialog : public Dialog {
public:
    explicit SoundDialog(tl5::Card& card) : Dialog(IDD_SOUND), card_(card) {}

private:
    DialogFrameSpec Frame() override { return {Text(IDS_SOUND_TITLE), IDI_TL_SOUND, IDMB_DONE_CANCEL}; }

    bool OnInit() override {
        SetLabel(Window(), IDC_SOUND_SELECT, IDS_SELECT_SOUND);
        SetLabel(Window(), IDC_SOUND_REMOVE, IDS_REMOVE_SOUND);
        SetLabel(Window(), IDC_SOUND_PLAY, IDS_PLAY_SOUND);
        SetLabel(Window(), IDC_SOUND_EXPORT, IDS_EXPORT_SOUND);
        SetLabel(Window(), IDC_SOUND_PLAY_WHEN_VIEWED, IDS_PLAY_WHEN_VIEWED);
        SetLabel(Window(), IDC_SOUND_FILE_LABEL, IDS_CURRENT_SOUND_FILE);
        player_.Clear();
        const tl5::CardSound& sound = card_.Sound();
        if (sound.HasData())
            player_.LoadFromBytes(sound.playWhenViewed != 0, sound.fileName, sound.bytes.data.data(), sound.bytes.Size());
        SetCheck(Window(), IDC_SOUND_PLAY_WHEN_VIEWED, player_.IsLoaded() && player_.PlayWhenViewed());
        PostMessageW(Window(), WMU_DIALOG_REFRESH, 0, 0);
        return true;
    }

    // The check box keeps what the user set; it is set afresh only when a sound is loaded.
    void OnRefresh() override {
        const bool loaded = player_.IsLoaded();
        SetDlgItemTextW(Window(), IDC_SOUND_FILE, loaded ? tl5::ToWide(player_.FileName()).c_str() : L"");
        if (!loaded) SetCheck(Window(), IDC_SOUND_PLAY_WHEN_VIEWED, false);
        Enable(Window(), IDC_SOUND_REMOVE, loaded);
        Enable(Window(), IDC_SOUND_PLAY, loaded);
        Enable(Window(), IDC_SOUND_EXPORT, loaded);
        Enable(Window(), IDC_SOUND_PLAY_WHEN_VIEWED, loaded);
    }

    bool OnCommand(int id, int, HWND) override {
        switch (id) {
            case IDC_SOUND_SELECT:
                ArmDocChooser(DOC_CHOOSER_RESULT, L"*.wav", Text(IDS_SOUND_FILES), Text(IDS_SELECT_SOUND_TITLE),
                              IDI_TL_SOUND, true);
                ShowDocChooser(Window());
                return true;
            case IDC_SOUND_REMOVE:
                player_.Clear();
                OnRefresh();
                return true;
            case IDC_SOUND_PLAY:
                player_.Stop();
                player_.Play();
                return true;
            case IDC_SOUND_EXPORT:
                if (player_.IsLoaded())
                    ExportAndTell(Window(), player_.FileName(), player_.Bytes(), tl5::ExportCollision::kFreeName);
                return true;
            case IDM_DONE:
            case IDOK:
            case IDCANCEL:
                Store();
                End(TRUE);
                return true;
            case IDM_CANCEL: End(FALSE); return true;
            default: return false;
        }
    }

    void OnDocumentChooserResult(int code) override {
        if (code != tl5::kDocChooserChosen) return;
        std::wstring path;
        if (!DocChooserChosenPath(&path) || path.empty()) {
            player_.Clear();
            OnRefresh();
            return;
        }
        // Read first: a file that cannot be read leaves the sound the dialog had.
        std::string bytes;
        if (!ReadChosenFile(path, &bytes)) {
            tl5::SecureZero(bytes);
            ShowMessage(Window(), IDS_SOUND_FILE_UNREADABLE, IDS_ERROR, MB_ICONEXCLAMATION);
            return;
        }
        player_.Clear();
        player_.LoadFromBytes(true, tl5::FromWide(path), reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size());
        tl5::SecureZero(bytes);
        SetCheck(Window(), IDC_SOUND_PLAY_WHEN_VIEWED, true);
        OnRefresh();
    }

    void Store() {
        if (!player_.IsLoaded()) {
            if (card_.Sound().HasData()) card_.ClearSound();
            return;
        }
        const int32_t flag = GetCheck(Window(), IDC_SOUND_PLAY_WHEN_VIEWED) ? 1 : 0;
        const tl5::CardSound& old = card_.Sound();
        if (old.HasData() && old.fileName == player_.FileName() && old.playWhenViewed == flag &&
            SameBytes(old.bytes, player_.Bytes()))
            return;
        tl5::CardSound sound;
        const tl5::MediaBytes& bytes = player_.Bytes();
        if (!sound.SetFromBytes(bytes.data.data(), bytes.Size(), player_.FileName())) return;
        sound.playWhenViewed = flag;
        card_.SetSound(std::move(sound));
    }

    void OnDestroy() override { player_.Clear(); }

    tl5::Card& card_;
    tl5::CardSoundPlayer player_;
};

}  // namespace

bool ShowAttachmentsDialog(HWND parent, tl5::Card& card) {
    AttachmentsDialog dialog(card);
    RunDialog(parent, dialog);
    return true;
}

bool ShowImageDialog(HWND parent, tl5::Card& card) {
    ImageDialog dialog(card);
    return RunDialog(parent, dialog) == TRUE;
}

bool ShowSoundDialog(HWND parent, tl5::Card& card) {
    SoundDialog dialog(card);
    return RunDialog(parent, dialog) == TRUE;
}

void RunCardMediaCommand(HWND cardWindow, tl5::Card& card, int command) {
    switch (command) {
        case IDM_ATTACHMENTS: ShowAttachmentsDialog(cardWindow, card); break;
        case IDM_BACKGROUND: ShowImageDialog(cardWindow, card); break;
        case IDM_SOUND: ShowSoundDialog(cardWindow, card); return;
        default: return;
    }
    if (IsWindow(cardWindow)) PostMessageW(cardWindow, LUM_REFRESH, 0, 0);
}

void OpenAttachmentFile(HWND owner, const tl5::Card& card, size_t slot) {
    const tl5::Attachment& a = card.AttachmentAt(slot);
    if (!a.HasData()) return;
    const std::u16string name = tl5::MediaExportName(a.fileName, tl5::LocalTimeNow());
    const tl5::OpenVerdict verdict = tl5::ClassifyAttachmentOpen(name);
    if (verdict != tl5::OpenVerdict::kOpen) {
        ShowMessage(owner,
                    LineAndPath(verdict == tl5::OpenVerdict::kRefusedWallet ? IDS_OPEN_REFUSED_WALLET
                                                                            : IDS_OPEN_REFUSED_PROGRAM,
                                a.fileName),
                    IDS_ERROR, MB_ICONEXCLAMATION);
        return;
    }
    const tl5::ExportOutcome out = tl5::ExportMediaFile(tl5::OsFileSystem(), tl5::EnsureDocumentsFolder(), name,
                                                        a.bytes.data.data(), a.bytes.Size(), tl5::ExportCollision::kReplace);
    if (out.result != tl5::ExportResult::kWritten) {
        ShowMessage(owner, LineAndPath(IDS_EXPORT_FAILED, out.path.empty() ? name : out.path), IDS_ERROR,
                    MB_ICONEXCLAMATION);
        return;
    }
    tl5::ShellOpenFile(out.path);
}

}  // namespace tl5win
