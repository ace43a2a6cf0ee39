// Names of the files that exports write (cleaned item names with the date, attachment files) and the
// folders they go to.
#pragma once

#include <functional>
#include <string>
#include <string_view>

#include "platform/LocalTime.h"

namespace tl5 {

// "<name>_DDMMYYYY<extension>" with the day, the month and the four-digit year of the date, e.g.
// a card "Visa" exported on 17 March 2005 as a form: "Visa_17032005.tlx".
std::u16string DatedFileName(std::u16string_view name, const SystemTime& date, std::u16string_view extension);

// The longest path an export writes (the system's limit of 259 characters).
constexpr size_t kMaxExportPath = 259;

// The file an export writes for an item name: the name with the characters a file name cannot hold
// (\ / : * ? " < > | and control characters) made underscores, then "_DDMMYYYY" and the extension,
// the name shortened so that the whole path in `folder` stays within kMaxExportPath characters.
// Empty when not even a one-character name fits (the folder itself is too long).
std::u16string FittedExportFileName(std::u16string_view folder, std::u16string_view name, const SystemTime& date,
                                    std::u16string_view extension);

// "%03d_%s": the running number of an exported attachment and its stored file name.
std::u16string NumberedAttachmentName(int number, std::u16string_view fileName);

// The extension of form files and of text exports.
constexpr std::u16string_view kFormFileExtension = u".tlx";
constexpr std::u16string_view kTextFileExtension = u".txt";

// Creates an output folder when missing (true when it exists afterwards), and the documents folder
// (created when missing; empty when there is none). Both go to the operating system unless a test
// replaced them (for in-memory file systems); empty functions restore the system.
bool EnsureOutputFolder(const std::u16string& path);
std::u16string OutputDocumentsFolder();
void SetOutputFolderHooksForTests(std::function<bool(const std::u16string&)> ensure,
                                  std::function<std::u16string()> documents);

// The string table's text of an identifier ("?" when it has none).
std::u16string ExchangeString(unsigned id);

}  // namespace tl5
