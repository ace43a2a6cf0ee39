// Names of the files that exports write: cleaned item names with the date, attachment files, and
// the small path operations they need on every platform.
#pragma once

#include <functional>
#include <string>
#include <string_view>

#include "platform/LocalTime.h"

namespace tl5 {

// Folder and name joined with the system's separator (none added when the folder ends with one).
std::u16string JoinPath(std::u16string_view folder, std::u16string_view name);

// The part of a path after its last separator (a backslash or a slash).
std::u16string ExchangeFileName(std::u16string_view path);

// The folder part of a path, without its last separator; empty when the path has none.
std::u16string ExchangeFolderOf(std::u16string_view path);

// A wallet's name: the file name without folder and without its last extension.
std::u16string WalletNameOfPath(std::u16string_view path);

// The name with each of \ / : * ? " < > | replaced by an underscore.
std::u16string CleanedFileName(std::u16string_view name);

// "<name>_DDMMYYYY<extension>" with the day, the month and the four-digit year of the date, e.g.
// a card "Visa" exported on 17 March 2005 as a form: "Visa_17032005.tlx".
std::u16string DatedFileName(std::u16string_view name, const SystemTime& date, std::u16string_view extension);

// "%03d_%s": the running number of an exported attachment and its stored file name.
std::u16string NumberedAttachmentName(int number, std::u16string_view fileName);

// The extension of form files and of text exports.
constexpr std::u16string_view kFormFileExtension = u".tlx";
constexpr std::u16string_view kTextFileExtension = u".txt";

// Printf-style filling of a text from the string table: each "%s" takes the next text, each "%d" the
// next number (texts and numbers are taken in their own order); "%%" is a percent sign.
std::u16string FormatText(std::u16string_view format, std::initializer_list<std::u16string_view> texts,
                          std::initializer_list<long long> numbers = {});

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
