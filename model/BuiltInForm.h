// The catalogue of the 43 built-in forms and the TemplateKind codes of their field templates.
#pragma once

#include <cstddef>
#include <cstdint>

namespace tl5 {

// Field kind of a form template (built-in forms and legacy form definitions).
enum TemplateKind : uint32_t {
    TLF_DEFAULT = 0,
    TLF_UPPERALL = 1,
    TLF_UPPERFIRST = 2,
    TLF_URL = 3,
    TLF_CODE = 5,  // built-in catalogue only: a code shown as plain text
    TLF_DATE = 8,
    TLF_YESNO = 9,
    TLF_TEL = 11,
    TLF_EMAIL = 15,
    TLF_LINK = 16,
    TLF_TIME = 17,
    TLF_DATETIME = 18,  // built-in catalogue only
};

struct FieldTemplate {
    uint32_t key;          // the template's key within its form
    uint32_t labelString;  // string identifier of the field's name
    uint32_t kind;         // TemplateKind
    bool pin;              // a PIN or password: the field becomes FT_PASSWORD
};

struct BuiltInForm {
    uint32_t key;         // 500-542
    uint32_t nameString;  // string identifier of the form's name
    int32_t icon;         // item icon index
    uint32_t fieldCount;
    const FieldTemplate* fields;
};

constexpr int kBuiltInFormCount = 43;
// String identifier of the name of a card made from a built-in form.
constexpr uint32_t kStringNewCardName = 20509;

// The form with this number (0-42), or nullptr.
const BuiltInForm* BuiltInFormByNumber(int number);
// The form with this key, or nullptr.
const BuiltInForm* BuiltInFormByKey(uint32_t key);
// The number of the form with this key, or -1.
int BuiltInFormNumberOfKey(uint32_t key);

// The field type a template becomes: 7 for a PIN; else kind 3 -> 3, 8 -> 8, 11 -> 6, 15 -> 5, 17 -> 9,
// 18 -> 10, anything else -> 1.
uint16_t FieldTypeForTemplate(uint32_t kind, bool pin);

}  // namespace tl5
