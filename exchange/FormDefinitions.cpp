#include "exchange/FormDefinitions.h"

#include <new>
#include <string_view>

#include "platform/CodePage.h"
#include "platform/File.h"

namespace tl5 {

namespace {

constexpr char kHeader[] = "<OstrovaWorksTessellockCustomForms.1>";
constexpr size_t kHeaderLength = sizeof(kHeader) - 1;
constexpr size_t kMaxNameLength = 63;

struct Keyword {
    std::u16string_view text;
    int32_t kind;
    bool pin;
};

// Searched in this order; the first that occurs anywhere in the line wins.
constexpr Keyword kKeywords[] = {
    {u"TLF_DEFAULT", 0, false}, {u"TLF_PIN", 0, true},   {u"TLF_UPPERALL", 1, false},
    {u"TLF_UPPERFIRST", 2, false}, {u"TLF_URL", 3, false}, {u"TLF_EMAIL", 15, false},
    {u"TLF_TEL", 11, false},    {u"TLF_LINK", 16, false}, {u"TLF_DATE", 8, false},
    {u"TLF_TIME", 17, false},   {u"TLF_YESNO", 9, false},
};

bool EqualsNoCase(std::u16string_view a, std::u16string_view b) {
    if (a.size() != b.size()) return false;
    for (size_t i = 0; i < a.size(); ++i) {
        char16_t x = a[i], y = b[i];
        if (x >= u'a' && x <= u'z') x = static_cast<char16_t>(x - 32);
        if (y >= u'a' && y <= u'z') y = static_cast<char16_t>(y - 32);
        if (x != y) return false;
    }
    return true;
}

// A decimal number from the start of a text, as the C library reads one: spaces, a sign, digits;
// no digits reads as 0, and values beyond the 32-bit range stop at its ends.
int32_t ReadDecimal(std::u16string_view text) {
    size_t i = 0;
    while (i < text.size() && (text[i] == u' ' || text[i] == u'\t')) ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == u'-' || text[i] == u'+')) {
        negative = text[i] == u'-';
        ++i;
    }
    int64_t value = 0;
    for (; i < text.size() && text[i] >= u'0' && text[i] <= u'9'; ++i) {
        value = value * 10 + (text[i] - u'0');
        if (value > 2147483648LL) value = 2147483648LL;
    }
    if (negative) value = -value;
    if (value > INT32_MAX) value = INT32_MAX;
    if (value < INT32_MIN) value = INT32_MIN;
    return static_cast<int32_t>(value);
}

std::u16string CutName(std::u16string_view text) {
    return std::u16string(text.substr(0, kMaxNameLength));
}

}  // namespace

const CustomFormDef* CustomFormDefinitions::Find(int32_t key) const {
    for (const CustomFormDef& f : forms) {
        if (f.key == key) return &f;
    }
    return nullptr;
}

bool ParseCustomFormDefinitions(const uint8_t* data, size_t size, CustomFormDefinitions& defs) {
    defs.forms.clear();
    defs.error = kCustomFormsOk;
    defs.errorLine = 0;
    try {
        // Encoding: the header in single-byte characters or in UTF-16LE, at the first byte.
        std::u16string text;
        size_t maxLine = 0;
        bool singleByte = size >= kHeaderLength;
        for (size_t i = 0; singleByte && i < kHeaderLength; ++i) {
            if (data[i] != static_cast<uint8_t>(kHeader[i])) singleByte = false;
        }
        bool wide = !singleByte && size >= 2 * kHeaderLength;
        for (size_t i = 0; wide && i < kHeaderLength; ++i) {
            if (data[2 * i] != static_cast<uint8_t>(kHeader[i]) || data[2 * i + 1] != 0) wide = false;
        }
        if (singleByte) {
            text = CodePage1252ToUtf16(data, size);
            maxLine = kCustomFormLineBytes;
        } else if (wide) {
            text.resize(size / 2);
            for (size_t i = 0; i < text.size(); ++i) {
                text[i] = static_cast<char16_t>(data[2 * i] | (data[2 * i + 1] << 8));
            }
            maxLine = kCustomFormLineBytes / 2;
        } else {
            defs.error = kCustomFormsNoHeader;
            return false;
        }

        auto fail = [&](int error, int line) {
            defs.forms.clear();
            defs.error = error;
            defs.errorLine = line;
            return false;
        };

        int state = 0;
        CustomFormDef current;
        size_t pos = 0;
        int lineNumber = 0;
        bool first = true;
        while (pos < text.size()) {
            // A line runs up to CR LF; a last line without CR LF is not read.
            const size_t end = text.find(u"\r\n", pos);
            if (end == std::u16string::npos) break;
            std::u16string_view line(text.data() + pos, end - pos);
            pos = end + 2;
            ++lineNumber;
            if (first) {  // the header line
                first = false;
                continue;
            }
            if (line.size() > maxLine) line = line.substr(0, maxLine);
            const size_t comment = line.find(u';');
            if (comment != std::u16string_view::npos) line = line.substr(0, comment);
            while (!line.empty() && (line.back() == u' ' || line.back() == u'\t')) line.remove_suffix(1);
            if (line.empty()) continue;

            if (EqualsNoCase(line, u"<MyForm>")) {
                current = CustomFormDef();
                state = 1;
                continue;
            }
            if (EqualsNoCase(line, u"<EndForm>")) {
                if (state != 0 && !current.fields.empty() && current.key >= kCustomFormMinKey) {
                    defs.forms.push_back(std::move(current));
                }
                current = CustomFormDef();
                state = 0;
                continue;
            }
            switch (state) {
                case 1:
                    current.name = CutName(line);
                    state = 2;
                    break;
                case 2:
                    if (line.size() > 10) return fail(kCustomFormsBadKey, lineNumber);
                    current.key = ReadDecimal(line);
                    state = 3;
                    break;
                case 3:
                    if (line.size() > 2) return fail(kCustomFormsBadIcon, lineNumber);
                    current.icon = ReadDecimal(line);
                    state = 4;
                    break;
                case 4: {
                    if (current.fields.size() >= kCustomFormMaxFields) break;  // the 51st and later
                    const Keyword* keyword = nullptr;
                    for (const Keyword& k : kKeywords) {
                        if (line.find(k.text) != std::u16string_view::npos) {
                            keyword = &k;
                            break;
                        }
                    }
                    if (keyword == nullptr) return fail(kCustomFormsNoKeyword, lineNumber);
                    const size_t firstSpace = line.find(u' ');
                    if (firstSpace == std::u16string_view::npos || firstSpace > 10) {
                        return fail(kCustomFormsBadFieldLine, lineNumber);
                    }
                    size_t at = firstSpace;
                    while (at < line.size() && line[at] == u' ') ++at;
                    const size_t secondSpace = line.find(u' ', at);
                    if (secondSpace == std::u16string_view::npos) return fail(kCustomFormsBadFieldLine, lineNumber);
                    at = secondSpace;
                    while (at < line.size() && line[at] == u' ') ++at;
                    CustomFormFieldDef field;
                    field.key = ReadDecimal(line.substr(0, firstSpace));
                    field.name = CutName(line.substr(at));
                    field.templateKind = keyword->kind;
                    field.pin = keyword->pin;
                    current.fields.push_back(std::move(field));
                    break;
                }
                default:
                    break;  // outside a form: ignored
            }
        }
        return true;
    } catch (const std::bad_alloc&) {
        defs.forms.clear();
        defs.error = kCustomFormsNoMemory;
        return false;
    }
}

bool LoadCustomFormDefinitions(FileSystem& fs, const std::u16string& path, CustomFormDefinitions& defs) {
    defs.forms.clear();
    defs.errorLine = 0;
    std::string bytes;
    if (path.empty() || !ReadWholeFile(fs, path, &bytes, kCustomFormMaxFileSize)) {
        defs.error = kCustomFormsCannotOpen;
        return false;
    }
    return ParseCustomFormDefinitions(reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size(), defs);
}

}  // namespace tl5
