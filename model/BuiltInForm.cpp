// The 43 built-in forms as data: each form's field templates, then the catalogue of the forms in number
// order. A template's key is its position in its form, counted from 1; cards made from a form keep these
// keys, so a template is only ever added at the end of its form.
#include "model/BuiltInForm.h"

#include <array>
#include <cstddef>

#include "model/Field.h"
#include "StringIds.h"

namespace tl5 {

namespace {

// A template kind by name: the TemplateKind code and whether the field is a PIN or password.
struct Kind {
    uint32_t code;
    bool pin;
};
constexpr Kind Default{TLF_DEFAULT, false};
constexpr Kind Pin{TLF_DEFAULT, true};
constexpr Kind UpperAll{TLF_UPPERALL, false};
constexpr Kind UpperFirst{TLF_UPPERFIRST, false};
constexpr Kind Url{TLF_URL, false};
constexpr Kind Code{TLF_CODE, false};
constexpr Kind Date{TLF_DATE, false};
constexpr Kind YesNo{TLF_YESNO, false};
constexpr Kind Tel{TLF_TEL, false};
constexpr Kind Email{TLF_EMAIL, false};
constexpr Kind Link{TLF_LINK, false};
constexpr Kind Time{TLF_TIME, false};
constexpr Kind DateTime{TLF_DATETIME, false};

// One line of a form: the label (a string identifier) and the kind.
struct Line {
    uint32_t label;
    Kind kind;
};

// A form's templates from its lines, keyed 1, 2, 3 ... in order.
template <size_t N>
constexpr std::array<FieldTemplate, N> Fields(const Line (&lines)[N]) {
    std::array<FieldTemplate, N> fields{};
    for (size_t i = 0; i < N; ++i)
        fields[i] = {static_cast<uint32_t>(i + 1), lines[i].label, lines[i].kind.code, lines[i].kind.pin};
    return fields;
}

template <size_t N>
constexpr BuiltInForm Form(uint32_t key, uint32_t nameString, int32_t icon,
                           const std::array<FieldTemplate, N>& fields) {
    return {key, nameString, icon, static_cast<uint32_t>(N), fields.data()};
}

// clang-format off
// 0: Personal details
constexpr auto kForm0 = Fields({
    {IDS_F0_FULL_NAME, UpperFirst},
    {IDS_F0_ADDRESS, UpperFirst},
    {IDS_F0_CITY, UpperFirst},
    {IDS_F0_POSTCODE, UpperAll},
    {IDS_F0_COUNTRY, UpperFirst},
    {IDS_F0_PHONE, Tel},
    {IDS_F0_MOBILE, Tel},
    {IDS_F0_E_MAIL, Email},
    {IDS_F0_DATE_OF_BIRTH, Date},
    {IDS_F0_PLACE_OF_BIRTH, UpperFirst},
    {IDS_F0_NATIONALITY, UpperFirst},
    {IDS_F0_IDENTITY_CARD_NUMBER, UpperAll},
    {IDS_F0_TAX_NUMBER, UpperAll},
    {IDS_F0_SOCIAL_SECURITY_NUMBER, UpperAll},
    {IDS_F0_BLOOD_GROUP, UpperAll},
    {IDS_F0_NOTES, Default},
});
// 1: Web log-in
constexpr auto kForm1 = Fields({
    {IDS_F1_SITE_NAME, UpperFirst},
    {IDS_F1_WEB_ADDRESS, Url},
    {IDS_F1_USER_NAME, Default},
    {IDS_F1_PASSWORD, Pin},
    {IDS_F1_E_MAIL, Email},
    {IDS_F1_SECRET_QUESTION, UpperFirst},
    {IDS_F1_ANSWER, Pin},
    {IDS_F1_REGISTERED_ON, Date},
    {IDS_F1_ACCOUNT_NUMBER, Default},
    {IDS_F1_NOTES, Default},
});
// 2: Online shop
constexpr auto kForm2 = Fields({
    {IDS_F2_SHOP, UpperFirst},
    {IDS_F2_WEB_ADDRESS, Url},
    {IDS_F2_USER_NAME, Default},
    {IDS_F2_PASSWORD, Pin},
    {IDS_F2_E_MAIL, Email},
    {IDS_F2_CUSTOMER_NUMBER, Default},
    {IDS_F2_PAYMENT_CARD, Default},
    {IDS_F2_DELIVERY_NAME, UpperFirst},
    {IDS_F2_DELIVERY_ADDRESS, UpperFirst},
    {IDS_F2_CITY, UpperFirst},
    {IDS_F2_POSTCODE, UpperAll},
    {IDS_F2_COUNTRY, UpperFirst},
    {IDS_F2_PHONE, Tel},
    {IDS_F2_SECRET_QUESTION, UpperFirst},
    {IDS_F2_ANSWER, Pin},
    {IDS_F2_REGISTERED_ON, Date},
    {IDS_F2_NEWSLETTER, YesNo},
    {IDS_F2_SUPPORT_E_MAIL, Email},
    {IDS_F2_SUPPORT_PHONE, Tel},
    {IDS_F2_NOTES, Default},
});
// 3: Contact
constexpr auto kForm3 = Fields({
    {IDS_F3_FIRST_NAME, UpperFirst},
    {IDS_F3_LAST_NAME, UpperFirst},
    {IDS_F3_COMPANY, UpperFirst},
    {IDS_F3_PHONE, Tel},
    {IDS_F3_WORK_PHONE, Tel},
    {IDS_F3_MOBILE, Tel},
    {IDS_F3_FAX, Tel},
    {IDS_F3_PAGER, Tel},
    {IDS_F3_STREET, UpperFirst},
    {IDS_F3_CITY, UpperFirst},
    {IDS_F3_REGION, UpperFirst},
    {IDS_F3_POSTCODE, UpperAll},
    {IDS_F3_COUNTRY, UpperFirst},
    {IDS_F3_WEB_PAGE, Url},
    {IDS_F3_E_MAIL, Email},
    {IDS_F3_SECOND_E_MAIL, Email},
    {IDS_F3_JOB_TITLE, UpperFirst},
    {IDS_F3_DEPARTMENT, UpperFirst},
    {IDS_F3_WORK_STREET, UpperFirst},
    {IDS_F3_WORK_CITY, UpperFirst},
    {IDS_F3_WORK_POSTCODE, UpperAll},
    {IDS_F3_WORK_COUNTRY, UpperFirst},
    {IDS_F3_BIRTHDAY, Date},
    {IDS_F3_ANNIVERSARY, Date},
    {IDS_F3_PARTNER, UpperFirst},
    {IDS_F3_CHILDREN, UpperFirst},
    {IDS_F3_ASSISTANT, UpperFirst},
    {IDS_F3_ASSISTANT_PHONE, Tel},
    {IDS_F3_CAR_PHONE, Tel},
    {IDS_F3_MESSENGER, Link},
    {IDS_F3_WORK_WEB_PAGE, Url},
    {IDS_F3_CATEGORY, Default},
    {IDS_F3_NOTES, Default},
});
// 4: Credit card
constexpr auto kForm4 = Fields({
    {IDS_F4_CARD_TYPE, UpperFirst},
    {IDS_F4_CARD_NUMBER, Default},
    {IDS_F4_NAME_ON_CARD, UpperAll},
    {IDS_F4_VALID_FROM, Date},
    {IDS_F4_EXPIRES, Date},
    {IDS_F4_SECURITY_CODE, Pin},
    {IDS_F4_PIN, Pin},
    {IDS_F4_CREDIT_LIMIT, Default},
    {IDS_F4_BANK, UpperFirst},
    {IDS_F4_CUSTOMER_SERVICE, Tel},
    {IDS_F4_LOST_CARD_PHONE, Tel},
    {IDS_F4_WEB_ADDRESS, Url},
    {IDS_F4_NOTES, Default},
});
// 5: Bank account
constexpr auto kForm5 = Fields({
    {IDS_F5_BANK, UpperFirst},
    {IDS_F5_BRANCH, UpperFirst},
    {IDS_F5_ACCOUNT_HOLDER, UpperFirst},
    {IDS_F5_ACCOUNT_NUMBER, Default},
    {IDS_F5_SORT_CODE, Default},
    {IDS_F5_IBAN, UpperAll},
    {IDS_F5_BIC, UpperAll},
    {IDS_F5_ACCOUNT_TYPE, UpperFirst},
    {IDS_F5_CURRENCY, UpperAll},
    {IDS_F5_OPENED_ON, Date},
    {IDS_F5_BRANCH_ADDRESS, UpperFirst},
    {IDS_F5_CITY, UpperFirst},
    {IDS_F5_POSTCODE, UpperAll},
    {IDS_F5_PHONE, Tel},
    {IDS_F5_FAX, Tel},
    {IDS_F5_E_MAIL, Email},
    {IDS_F5_WEB_ADDRESS, Url},
    {IDS_F5_ONLINE_BANKING_USER, Default},
    {IDS_F5_ONLINE_BANKING_PASSWORD, Pin},
    {IDS_F5_TELEPHONE_BANKING_PIN, Pin},
    {IDS_F5_CARD_NUMBER, Default},
    {IDS_F5_CARD_PIN, Pin},
    {IDS_F5_ADVISER, UpperFirst},
    {IDS_F5_ADVISER_PHONE, Tel},
    {IDS_F5_NOTES, Default},
});
// 6: Insurance
constexpr auto kForm6 = Fields({
    {IDS_F6_INSURER, UpperFirst},
    {IDS_F6_POLICY_TYPE, UpperFirst},
    {IDS_F6_POLICY_NUMBER, Default},
    {IDS_F6_INSURED_PERSON, UpperFirst},
    {IDS_F6_INSURED_ITEM, UpperFirst},
    {IDS_F6_START_DATE, Date},
    {IDS_F6_END_DATE, Date},
    {IDS_F6_PREMIUM, Default},
    {IDS_F6_PAYMENT_PERIOD, UpperFirst},
    {IDS_F6_SUM_INSURED, Default},
    {IDS_F6_EXCESS, Default},
    {IDS_F6_AGENT, UpperFirst},
    {IDS_F6_AGENT_PHONE, Tel},
    {IDS_F6_AGENT_E_MAIL, Email},
    {IDS_F6_CLAIMS_PHONE, Tel},
    {IDS_F6_CLAIMS_ADDRESS, UpperFirst},
    {IDS_F6_WEB_ADDRESS, Url},
    {IDS_F6_USER_NAME, Default},
    {IDS_F6_PASSWORD, Pin},
    {IDS_F6_BENEFICIARY, UpperFirst},
    {IDS_F6_RENEWAL_DATE, Date},
    {IDS_F6_NOTES, Default},
});
// 7: Software licence
constexpr auto kForm7 = Fields({
    {IDS_F7_PROGRAM, UpperFirst},
    {IDS_F7_VERSION, Default},
    {IDS_F7_PUBLISHER, UpperFirst},
    {IDS_F7_LICENSED_TO, UpperFirst},
    {IDS_F7_LICENCE_KEY, UpperAll},
    {IDS_F7_SERIAL_NUMBER, UpperAll},
    {IDS_F7_LICENCE_TYPE, UpperFirst},
    {IDS_F7_SEATS, Default},
    {IDS_F7_BOUGHT_ON, Date},
    {IDS_F7_PRICE, Default},
    {IDS_F7_ORDER_NUMBER, Default},
    {IDS_F7_SHOP, UpperFirst},
    {IDS_F7_DOWNLOAD_ADDRESS, Url},
    {IDS_F7_SUPPORT_E_MAIL, Email},
    {IDS_F7_SUPPORT_PHONE, Tel},
    {IDS_F7_NOTES, Default},
});
// 8: E-mail account
constexpr auto kForm8 = Fields({
    {IDS_F8_PROVIDER, UpperFirst},
    {IDS_F8_E_MAIL_ADDRESS, Email},
    {IDS_F8_USER_NAME, Default},
    {IDS_F8_PASSWORD, Pin},
    {IDS_F8_INCOMING_SERVER, Default},
    {IDS_F8_INCOMING_SERVER_TYPE, UpperAll},
    {IDS_F8_INCOMING_PORT, Default},
    {IDS_F8_OUTGOING_SERVER, Default},
    {IDS_F8_OUTGOING_PORT, Default},
    {IDS_F8_SECURE_CONNECTION, YesNo},
    {IDS_F8_OUTGOING_SERVER_LOG_IN, YesNo},
    {IDS_F8_WEB_MAIL, Url},
    {IDS_F8_DISPLAY_NAME, UpperFirst},
    {IDS_F8_REPLY_ADDRESS, Email},
    {IDS_F8_SUPPORT_PHONE, Tel},
    {IDS_F8_SECRET_QUESTION, UpperFirst},
    {IDS_F8_NOTES, Default},
});
// 9: Membership
constexpr auto kForm9 = Fields({
    {IDS_F9_CLUB, UpperFirst},
    {IDS_F9_MEMBER_NAME, UpperFirst},
    {IDS_F9_MEMBER_NUMBER, Default},
    {IDS_F9_MEMBER_SINCE, Date},
    {IDS_F9_VALID_UNTIL, Date},
    {IDS_F9_LEVEL, UpperFirst},
    {IDS_F9_PASSWORD, Pin},
    {IDS_F9_PHONE, Tel},
    {IDS_F9_WEB_ADDRESS, Url},
    {IDS_F9_NOTES, Default},
});
// 10: Combination lock
constexpr auto kForm10 = Fields({
    {IDS_F10_LOCK, UpperFirst},
    {IDS_F10_COMBINATION, Pin},
    {IDS_F10_LOCATION, UpperFirst},
    {IDS_F10_SERIAL_NUMBER, Default},
    {IDS_F10_NOTES, UpperFirst},
});
// 11: Password
constexpr auto kForm11 = Fields({
    {IDS_F11_SYSTEM, UpperFirst},
    {IDS_F11_USER_NAME, Default},
    {IDS_F11_PASSWORD, Pin},
});
// 12: Passport
constexpr auto kForm12 = Fields({
    {IDS_F12_COUNTRY, UpperFirst},
    {IDS_F12_PASSPORT_NUMBER, UpperAll},
    {IDS_F12_SURNAME, UpperAll},
    {IDS_F12_GIVEN_NAMES, UpperAll},
    {IDS_F12_NATIONALITY, UpperFirst},
    {IDS_F12_DATE_OF_BIRTH, Date},
    {IDS_F12_PLACE_OF_BIRTH, UpperFirst},
    {IDS_F12_ISSUED_ON, Date},
    {IDS_F12_EXPIRES, Date},
    {IDS_F12_ISSUED_BY, UpperFirst},
    {IDS_F12_NOTES, Default},
});
// 13: Driving licence
constexpr auto kForm13 = Fields({
    {IDS_F13_LICENCE_NUMBER, UpperAll},
    {IDS_F13_SURNAME, UpperAll},
    {IDS_F13_GIVEN_NAMES, UpperAll},
    {IDS_F13_DATE_OF_BIRTH, Date},
    {IDS_F13_PLACE_OF_BIRTH, UpperFirst},
    {IDS_F13_ADDRESS, UpperFirst},
    {IDS_F13_ISSUED_ON, Date},
    {IDS_F13_EXPIRES, Date},
    {IDS_F13_ISSUED_BY, UpperFirst},
    {IDS_F13_CATEGORIES, UpperAll},
    {IDS_F13_RESTRICTIONS, UpperFirst},
    {IDS_F13_VEHICLE_REGISTRATION, UpperAll},
    {IDS_F13_VEHICLE_MAKE, UpperFirst},
    {IDS_F13_VEHICLE_MODEL, UpperFirst},
    {IDS_F13_VEHICLE_INSURANCE_POLICY, Default},
    {IDS_F13_BREAKDOWN_SERVICE_PHONE, Tel},
    {IDS_F13_NOTES, Default},
});
// 14: Calling card
constexpr auto kForm14 = Fields({
    {IDS_F14_PROVIDER, UpperFirst},
    {IDS_F14_CARD_NUMBER, Default},
    {IDS_F14_PIN, Pin},
    {IDS_F14_ACCESS_NUMBER, Tel},
    {IDS_F14_BALANCE, Default},
    {IDS_F14_EXPIRES, Date},
    {IDS_F14_CUSTOMER_SERVICE, Tel},
    {IDS_F14_NOTES, Default},
});
// 15: Computer log-in
constexpr auto kForm15 = Fields({
    {IDS_F15_COMPUTER, UpperFirst},
    {IDS_F15_DOMAIN, UpperAll},
    {IDS_F15_USER_NAME, Default},
    {IDS_F15_PASSWORD, Pin},
    {IDS_F15_NETWORK_ADDRESS, Default},
    {IDS_F15_OPERATING_SYSTEM, UpperFirst},
    {IDS_F15_ADMINISTRATOR, UpperFirst},
    {IDS_F15_ADMINISTRATOR_PASSWORD, Pin},
    {IDS_F15_WIRELESS_NETWORK, Default},
    {IDS_F15_WIRELESS_KEY, Pin},
    {IDS_F15_HELP_DESK_PHONE, Tel},
    {IDS_F15_HELP_DESK_E_MAIL, Email},
    {IDS_F15_NOTES, Default},
});
// 16: Mobile phone
constexpr auto kForm16 = Fields({
    {IDS_F16_PHONE_NUMBER, Tel},
    {IDS_F16_NETWORK, UpperFirst},
    {IDS_F16_MAKE, UpperFirst},
    {IDS_F16_MODEL, UpperFirst},
    {IDS_F16_SERIAL_NUMBER, UpperAll},
    {IDS_F16_DEVICE_IDENTITY_NUMBER, UpperAll},
    {IDS_F16_SIM_CARD_NUMBER, Default},
    {IDS_F16_PIN, Pin},
    {IDS_F16_PUK, Pin},
    {IDS_F16_PHONE_LOCK_CODE, Pin},
    {IDS_F16_VOICE_MAIL_NUMBER, Tel},
    {IDS_F16_VOICE_MAIL_PIN, Pin},
    {IDS_F16_CONTRACT_NUMBER, Default},
    {IDS_F16_CONTRACT_ENDS, Date},
    {IDS_F16_CUSTOMER_SERVICE, Tel},
    {IDS_F16_WEB_ADDRESS, Url},
    {IDS_F16_ACCOUNT_PASSWORD, Pin},
    {IDS_F16_NOTES, Default},
});
// 17: Frequent flyer
constexpr auto kForm17 = Fields({
    {IDS_F17_AIRLINE, UpperFirst},
    {IDS_F17_PROGRAMME, UpperFirst},
    {IDS_F17_MEMBER_NUMBER, Default},
    {IDS_F17_MEMBER_NAME, UpperAll},
    {IDS_F17_STATUS, UpperFirst},
    {IDS_F17_PIN, Pin},
    {IDS_F17_WEB_ADDRESS, Url},
    {IDS_F17_USER_NAME, Default},
    {IDS_F17_PASSWORD, Pin},
    {IDS_F17_SERVICE_PHONE, Tel},
    {IDS_F17_MEMBER_SINCE, Date},
    {IDS_F17_NOTES, Default},
});
// 18: Internet access
constexpr auto kForm18 = Fields({
    {IDS_F18_PROVIDER, UpperFirst},
    {IDS_F18_USER_NAME, Default},
    {IDS_F18_PASSWORD, Pin},
    {IDS_F18_DIAL_UP_NUMBER, Tel},
    {IDS_F18_NAME_SERVER, Default},
    {IDS_F18_SUPPORT_PHONE, Tel},
    {IDS_F18_SUPPORT_E_MAIL, Email},
    {IDS_F18_NOTES, Default},
});
// 19: Registration code
constexpr auto kForm19 = Fields({
    {IDS_F19_PROGRAM, UpperAll},
    {IDS_F19_REGISTRATION_CODE, Code},
    {IDS_F19_REGISTERED_TO, Default},
});
// 20: Alarm system
constexpr auto kForm20 = Fields({
    {IDS_F20_LOCATION, UpperFirst},
    {IDS_F20_INSTALLER, UpperFirst},
    {IDS_F20_ALARM_CODE, Pin},
    {IDS_F20_DURESS_CODE, Pin},
    {IDS_F20_MASTER_CODE, Pin},
    {IDS_F20_PANEL_LOCATION, UpperFirst},
    {IDS_F20_ZONES, Default},
    {IDS_F20_MONITORING_COMPANY, UpperFirst},
    {IDS_F20_MONITORING_PHONE, Tel},
    {IDS_F20_ACCOUNT_NUMBER, Default},
    {IDS_F20_PASSWORD, Pin},
    {IDS_F20_KEY_HOLDER, UpperFirst},
    {IDS_F20_KEY_HOLDER_PHONE, Tel},
    {IDS_F20_LAST_SERVICE, Date},
    {IDS_F20_NOTES, Default},
});
// 21: Car
constexpr auto kForm21 = Fields({
    {IDS_F21_MAKE, UpperFirst},
    {IDS_F21_MODEL, UpperFirst},
    {IDS_F21_REGISTRATION, UpperAll},
    {IDS_F21_VEHICLE_IDENTIFICATION_NUMBER, UpperAll},
    {IDS_F21_COLOUR, UpperFirst},
    {IDS_F21_FIRST_REGISTERED, Date},
    {IDS_F21_BOUGHT_ON, Date},
    {IDS_F21_RADIO_CODE, Pin},
    {IDS_F21_KEY_NUMBER, Default},
    {IDS_F21_TYRE_SIZE, Default},
    {IDS_F21_INSURER, UpperFirst},
    {IDS_F21_POLICY_NUMBER, Default},
    {IDS_F21_SERVICE_DUE, Date},
    {IDS_F21_GARAGE, UpperFirst},
    {IDS_F21_GARAGE_PHONE, Tel},
    {IDS_F21_NOTES, Default},
});
// 22: Medical record
constexpr auto kForm22 = Fields({
    {IDS_F22_PATIENT, UpperFirst},
    {IDS_F22_DATE_OF_BIRTH, Date},
    {IDS_F22_BLOOD_GROUP, UpperAll},
    {IDS_F22_ALLERGIES, UpperFirst},
    {IDS_F22_CONDITIONS, UpperFirst},
    {IDS_F22_MEDICINES, UpperFirst},
    {IDS_F22_DOCTOR, UpperFirst},
    {IDS_F22_DOCTOR_PHONE, Tel},
    {IDS_F22_DOCTOR_ADDRESS, UpperFirst},
    {IDS_F22_DENTIST, UpperFirst},
    {IDS_F22_DENTIST_PHONE, Tel},
    {IDS_F22_OPTICIAN, UpperFirst},
    {IDS_F22_OPTICIAN_PHONE, Tel},
    {IDS_F22_HEALTH_INSURER, UpperFirst},
    {IDS_F22_INSURANCE_NUMBER, Default},
    {IDS_F22_HOSPITAL, UpperFirst},
    {IDS_F22_HOSPITAL_PHONE, Tel},
    {IDS_F22_EMERGENCY_CONTACT, UpperFirst},
    {IDS_F22_EMERGENCY_PHONE, Tel},
    {IDS_F22_VACCINATIONS, UpperFirst},
    {IDS_F22_LAST_CHECK_UP, Date},
    {IDS_F22_NEXT_CHECK_UP, Date},
    {IDS_F22_ORGAN_DONOR, YesNo},
    {IDS_F22_HEIGHT, Default},
    {IDS_F22_WEIGHT, Default},
    {IDS_F22_GLASSES_PRESCRIPTION, Default},
    {IDS_F22_NOTES, Default},
});
// 23: Employment
constexpr auto kForm23 = Fields({
    {IDS_F23_EMPLOYER, UpperFirst},
    {IDS_F23_JOB_TITLE, UpperFirst},
    {IDS_F23_EMPLOYEE_NUMBER, Default},
    {IDS_F23_DEPARTMENT, UpperFirst},
    {IDS_F23_MANAGER, UpperFirst},
    {IDS_F23_MANAGER_PHONE, Tel},
    {IDS_F23_START_DATE, Date},
    {IDS_F23_OFFICE_ADDRESS, UpperFirst},
    {IDS_F23_OFFICE_PHONE, Tel},
    {IDS_F23_WORK_E_MAIL, Email},
    {IDS_F23_INTRANET, Url},
    {IDS_F23_USER_NAME, Default},
    {IDS_F23_PASSWORD, Pin},
    {IDS_F23_DOOR_CODE, Pin},
    {IDS_F23_PAYROLL_NUMBER, Default},
    {IDS_F23_TAX_CODE, UpperAll},
    {IDS_F23_PENSION_SCHEME, UpperFirst},
    {IDS_F23_PENSION_NUMBER, Default},
    {IDS_F23_HOLIDAY_DAYS, Default},
    {IDS_F23_WORKING_HOURS, Default},
    {IDS_F23_PERSONNEL_CONTACT, UpperFirst},
    {IDS_F23_PERSONNEL_PHONE, Tel},
    {IDS_F23_PERSONNEL_E_MAIL, Email},
    {IDS_F23_NOTES, Default},
});
// 24: Investment account
constexpr auto kForm24 = Fields({
    {IDS_F24_BROKER, UpperFirst},
    {IDS_F24_ACCOUNT_NUMBER, Default},
    {IDS_F24_ACCOUNT_HOLDER, UpperFirst},
    {IDS_F24_USER_NAME, Default},
    {IDS_F24_PASSWORD, Pin},
    {IDS_F24_TRADING_PIN, Pin},
    {IDS_F24_WEB_ADDRESS, Url},
    {IDS_F24_PHONE, Tel},
    {IDS_F24_ADVISER, UpperFirst},
    {IDS_F24_ADVISER_E_MAIL, Email},
    {IDS_F24_OPENED_ON, Date},
    {IDS_F24_ACCOUNT_TYPE, UpperFirst},
    {IDS_F24_CURRENCY, UpperAll},
    {IDS_F24_SETTLEMENT_ACCOUNT, Default},
    {IDS_F24_TAX_REFERENCE, UpperAll},
    {IDS_F24_NOTES, Default},
});
// 25: Loan
constexpr auto kForm25 = Fields({
    {IDS_F25_LENDER, UpperFirst},
    {IDS_F25_LOAN_NUMBER, Default},
    {IDS_F25_BORROWER, UpperFirst},
    {IDS_F25_SECOND_BORROWER, UpperFirst},
    {IDS_F25_AMOUNT, Default},
    {IDS_F25_INTEREST_RATE, Default},
    {IDS_F25_RATE_FIXED_UNTIL, Date},
    {IDS_F25_TERM, Default},
    {IDS_F25_START_DATE, Date},
    {IDS_F25_END_DATE, Date},
    {IDS_F25_MONTHLY_PAYMENT, Default},
    {IDS_F25_PAYMENT_DAY, Default},
    {IDS_F25_PAID_FROM_ACCOUNT, Default},
    {IDS_F25_PROPERTY_ADDRESS, UpperFirst},
    {IDS_F25_PROPERTY_VALUE, Default},
    {IDS_F25_ADVISER, UpperFirst},
    {IDS_F25_ADVISER_PHONE, Tel},
    {IDS_F25_ADVISER_E_MAIL, Email},
    {IDS_F25_LENDER_PHONE, Tel},
    {IDS_F25_LENDER_ADDRESS, UpperFirst},
    {IDS_F25_WEB_ADDRESS, Url},
    {IDS_F25_USER_NAME, Default},
    {IDS_F25_PASSWORD, Pin},
    {IDS_F25_INSURANCE_POLICY, Default},
    {IDS_F25_EARLY_REPAYMENT_FEE, Default},
    {IDS_F25_NOTES, Default},
});
// 26: Home and utilities
constexpr auto kForm26 = Fields({
    {IDS_F26_ADDRESS, UpperFirst},
    {IDS_F26_OWNER, UpperFirst},
    {IDS_F26_LANDLORD, UpperFirst},
    {IDS_F26_LANDLORD_PHONE, Tel},
    {IDS_F26_RENT_OR_MORTGAGE, Default},
    {IDS_F26_ELECTRICITY_SUPPLIER, UpperFirst},
    {IDS_F26_ELECTRICITY_ACCOUNT, Default},
    {IDS_F26_ELECTRICITY_METER, Default},
    {IDS_F26_ELECTRICITY_PHONE, Tel},
    {IDS_F26_GAS_SUPPLIER, UpperFirst},
    {IDS_F26_GAS_ACCOUNT, Default},
    {IDS_F26_GAS_METER, Default},
    {IDS_F26_GAS_PHONE, Tel},
    {IDS_F26_WATER_SUPPLIER, UpperFirst},
    {IDS_F26_WATER_ACCOUNT, Default},
    {IDS_F26_WATER_PHONE, Tel},
    {IDS_F26_TELEPHONE_PROVIDER, UpperFirst},
    {IDS_F26_TELEPHONE_ACCOUNT, Default},
    {IDS_F26_TELEPHONE_NUMBER, Tel},
    {IDS_F26_INTERNET_PROVIDER, UpperFirst},
    {IDS_F26_INTERNET_ACCOUNT, Default},
    {IDS_F26_ROUTER_ADDRESS, Default},
    {IDS_F26_ROUTER_PASSWORD, Pin},
    {IDS_F26_WIRELESS_NETWORK, Default},
    {IDS_F26_WIRELESS_KEY, Pin},
    {IDS_F26_TELEVISION_PROVIDER, UpperFirst},
    {IDS_F26_TELEVISION_ACCOUNT, Default},
    {IDS_F26_LOCAL_TAX_REFERENCE, UpperAll},
    {IDS_F26_HOME_INSURER, UpperFirst},
    {IDS_F26_HOME_POLICY_NUMBER, Default},
    {IDS_F26_ALARM_CODE, Pin},
    {IDS_F26_SPARE_KEY_HOLDER, UpperFirst},
    {IDS_F26_SPARE_KEY_HOLDER_PHONE, Tel},
    {IDS_F26_PLUMBER_PHONE, Tel},
    {IDS_F26_ELECTRICIAN_PHONE, Tel},
    {IDS_F26_MOVED_IN, Date},
    {IDS_F26_WEB_ADDRESS, Url},
    {IDS_F26_NOTES, Default},
});
// 27: Tax details
constexpr auto kForm27 = Fields({
    {IDS_F27_COUNTRY, UpperFirst},
    {IDS_F27_TAX_NUMBER, UpperAll},
    {IDS_F27_TAX_OFFICE, UpperFirst},
    {IDS_F27_TAX_OFFICE_ADDRESS, UpperFirst},
    {IDS_F27_TAX_OFFICE_PHONE, Tel},
    {IDS_F27_ADVISER, UpperFirst},
    {IDS_F27_ADVISER_PHONE, Tel},
    {IDS_F27_ADVISER_E_MAIL, Email},
    {IDS_F27_ONLINE_USER_NAME, Default},
    {IDS_F27_ONLINE_PASSWORD, Pin},
    {IDS_F27_WEB_ADDRESS, Url},
    {IDS_F27_FILING_DEADLINE, Date},
    {IDS_F27_LAST_RETURN_FILED, Date},
    {IDS_F27_REFERENCE, Default},
    {IDS_F27_NOTES, Default},
});
// 28: Hotel booking
constexpr auto kForm28 = Fields({
    {IDS_F28_HOTEL, UpperFirst},
    {IDS_F28_ADDRESS, UpperFirst},
    {IDS_F28_PHONE, Tel},
    {IDS_F28_E_MAIL, Email},
    {IDS_F28_WEB_ADDRESS, Url},
    {IDS_F28_BOOKING_NUMBER, Default},
    {IDS_F28_GUEST_NAME, UpperFirst},
    {IDS_F28_CHECK_IN, DateTime},
    {IDS_F28_CHECK_OUT, DateTime},
    {IDS_F28_ROOM, Default},
    {IDS_F28_PRICE, Default},
    {IDS_F28_PAID_WITH, Default},
    {IDS_F28_NOTES, Default},
});
// 29: Pension
constexpr auto kForm29 = Fields({
    {IDS_F29_PROVIDER, UpperFirst},
    {IDS_F29_PLAN_NUMBER, Default},
    {IDS_F29_MEMBER, UpperFirst},
    {IDS_F29_JOINED_ON, Date},
    {IDS_F29_RETIREMENT_DATE, Date},
    {IDS_F29_CONTRIBUTIONS, Default},
    {IDS_F29_EMPLOYER_SHARE, Default},
    {IDS_F29_BENEFICIARY, UpperFirst},
    {IDS_F29_WEB_ADDRESS, Url},
    {IDS_F29_USER_NAME, Default},
    {IDS_F29_PASSWORD, Pin},
    {IDS_F29_PHONE, Tel},
    {IDS_F29_NOTES, Default},
});
// 30: Flight
constexpr auto kForm30 = Fields({
    {IDS_F30_AIRLINE, UpperFirst},
    {IDS_F30_FLIGHT_NUMBER, UpperAll},
    {IDS_F30_BOOKING_REFERENCE, UpperAll},
    {IDS_F30_PASSENGER, UpperFirst},
    {IDS_F30_FROM, UpperFirst},
    {IDS_F30_TO, UpperFirst},
    {IDS_F30_DEPARTURE, DateTime},
    {IDS_F30_ARRIVAL, DateTime},
    {IDS_F30_SEAT, UpperAll},
    {IDS_F30_TICKET_NUMBER, Default},
    {IDS_F30_FREQUENT_FLYER_NUMBER, Default},
    {IDS_F30_CHECK_IN_TIME, Time},
    {IDS_F30_AIRLINE_PHONE, Tel},
    {IDS_F30_NOTES, Default},
});
// 31: Savings account
constexpr auto kForm31 = Fields({
    {IDS_F31_BANK, UpperFirst},
    {IDS_F31_ACCOUNT_NAME, UpperFirst},
    {IDS_F31_ACCOUNT_NUMBER, Default},
    {IDS_F31_SORT_CODE, Default},
    {IDS_F31_IBAN, UpperAll},
    {IDS_F31_INTEREST_RATE, Default},
    {IDS_F31_NOTICE_PERIOD, Default},
    {IDS_F31_OPENED_ON, Date},
    {IDS_F31_MATURES_ON, Date},
    {IDS_F31_LINKED_ACCOUNT, Default},
    {IDS_F31_WEB_ADDRESS, Url},
    {IDS_F31_USER_NAME, Default},
    {IDS_F31_PASSWORD, Pin},
    {IDS_F31_PIN, Pin},
    {IDS_F31_PHONE, Tel},
    {IDS_F31_TAX_FREE, YesNo},
    {IDS_F31_NOTES, Default},
});
// 32: Debit card
constexpr auto kForm32 = Fields({
    {IDS_F32_BANK, UpperFirst},
    {IDS_F32_CARD_NUMBER, Default},
    {IDS_F32_NAME_ON_CARD, UpperAll},
    {IDS_F32_ACCOUNT_NUMBER, Default},
    {IDS_F32_VALID_FROM, Date},
    {IDS_F32_EXPIRES, Date},
    {IDS_F32_SECURITY_CODE, Pin},
    {IDS_F32_PIN, Pin},
    {IDS_F32_DAILY_LIMIT, Default},
    {IDS_F32_CARD_TYPE, UpperFirst},
    {IDS_F32_ISSUE_NUMBER, Default},
    {IDS_F32_LOST_CARD_PHONE, Tel},
    {IDS_F32_CUSTOMER_SERVICE, Tel},
    {IDS_F32_WEB_ADDRESS, Url},
    {IDS_F32_ONLINE_PASSWORD, Pin},
    {IDS_F32_CONTACTLESS, YesNo},
    {IDS_F32_NOTES, Default},
});
// 33: Website administration
constexpr auto kForm33 = Fields({
    {IDS_F33_SITE_NAME, UpperFirst},
    {IDS_F33_WEB_ADDRESS, Url},
    {IDS_F33_ADMINISTRATION_PAGE, Url},
    {IDS_F33_ADMINISTRATOR, Default},
    {IDS_F33_ADMINISTRATOR_PASSWORD, Pin},
    {IDS_F33_HOST, UpperFirst},
    {IDS_F33_HOST_ACCOUNT, Default},
    {IDS_F33_HOST_PASSWORD, Pin},
    {IDS_F33_CONTROL_PANEL, Url},
    {IDS_F33_FILE_TRANSFER_SERVER, Default},
    {IDS_F33_FILE_TRANSFER_USER, Default},
    {IDS_F33_FILE_TRANSFER_PASSWORD, Pin},
    {IDS_F33_DATABASE_SERVER, Default},
    {IDS_F33_DATABASE_NAME, Default},
    {IDS_F33_DATABASE_USER, Default},
    {IDS_F33_DATABASE_PASSWORD, Pin},
    {IDS_F33_MAIL_SERVER, Default},
    {IDS_F33_MAIL_USER, Default},
    {IDS_F33_MAIL_PASSWORD, Pin},
    {IDS_F33_DOMAIN_REGISTRAR, UpperFirst},
    {IDS_F33_DOMAIN_EXPIRES, Date},
    {IDS_F33_REGISTRAR_USER, Default},
    {IDS_F33_REGISTRAR_PASSWORD, Pin},
    {IDS_F33_NAME_SERVERS, Default},
    {IDS_F33_CERTIFICATE_EXPIRES, Date},
    {IDS_F33_SUPPORT_E_MAIL, Email},
    {IDS_F33_SUPPORT_PHONE, Tel},
    {IDS_F33_SERVER_ADDRESS, Default},
    {IDS_F33_SERVER_USER, Default},
    {IDS_F33_SERVER_PASSWORD, Pin},
    {IDS_F33_NOTES, Default},
});
// 34: Voice mail
constexpr auto kForm34 = Fields({
    {IDS_F34_PHONE_NUMBER, Tel},
    {IDS_F34_ACCESS_NUMBER, Tel},
    {IDS_F34_MAILBOX, Default},
    {IDS_F34_PIN, Pin},
    {IDS_F34_GREETING, UpperFirst},
    {IDS_F34_PROVIDER, UpperFirst},
    {IDS_F34_CUSTOMER_SERVICE, Tel},
    {IDS_F34_FORWARD_TO, Tel},
    {IDS_F34_OTHER_NUMBER, Tel},
    {IDS_F34_NOTES, Default},
});
// 35: Library card
constexpr auto kForm35 = Fields({
    {IDS_F35_LIBRARY, UpperFirst},
    {IDS_F35_CARD_NUMBER, Default},
    {IDS_F35_NAME, UpperFirst},
    {IDS_F35_PIN, Pin},
    {IDS_F35_EXPIRES, Date},
    {IDS_F35_BRANCH, UpperFirst},
    {IDS_F35_ADDRESS, UpperFirst},
    {IDS_F35_PHONE, Tel},
    {IDS_F35_OPENING_HOURS, Default},
    {IDS_F35_WEB_ADDRESS, Url},
    {IDS_F35_USER_NAME, Default},
    {IDS_F35_PASSWORD, Pin},
    {IDS_F35_NOTES, Default},
});
// 36: Computer
constexpr auto kForm36 = Fields({
    {IDS_F36_MAKE, UpperFirst},
    {IDS_F36_MODEL, UpperFirst},
    {IDS_F36_SERIAL_NUMBER, UpperAll},
    {IDS_F36_BOUGHT_ON, Date},
    {IDS_F36_SHOP, UpperFirst},
    {IDS_F36_PRICE, Default},
    {IDS_F36_WARRANTY_UNTIL, Date},
    {IDS_F36_PROCESSOR, Default},
    {IDS_F36_MEMORY, Default},
    {IDS_F36_DISK, Default},
    {IDS_F36_OPERATING_SYSTEM, UpperFirst},
    {IDS_F36_PRODUCT_KEY, UpperAll},
    {IDS_F36_COMPUTER_NAME, Default},
    {IDS_F36_NETWORK_ADDRESS, Default},
    {IDS_F36_HARDWARE_ADDRESS, UpperAll},
    {IDS_F36_ADMINISTRATOR, Default},
    {IDS_F36_ADMINISTRATOR_PASSWORD, Pin},
    {IDS_F36_USER_NAME, Default},
    {IDS_F36_PASSWORD, Pin},
    {IDS_F36_START_UP_PASSWORD, Pin},
    {IDS_F36_DISK_ENCRYPTION_KEY, Pin},
    {IDS_F36_BACKUP_LOCATION, UpperFirst},
    {IDS_F36_WIRELESS_NETWORK, Default},
    {IDS_F36_WIRELESS_KEY, Pin},
    {IDS_F36_SUPPORT_PHONE, Tel},
    {IDS_F36_SUPPORT_WEB_ADDRESS, Url},
    {IDS_F36_NOTES, Default},
});
// 37: Network device
constexpr auto kForm37 = Fields({
    {IDS_F37_DEVICE, UpperFirst},
    {IDS_F37_MAKE, UpperFirst},
    {IDS_F37_MODEL, UpperFirst},
    {IDS_F37_SERIAL_NUMBER, UpperAll},
    {IDS_F37_LOCATION, UpperFirst},
    {IDS_F37_NETWORK_ADDRESS, Default},
    {IDS_F37_HARDWARE_ADDRESS, UpperAll},
    {IDS_F37_GATEWAY, Default},
    {IDS_F37_SUBNET_MASK, Default},
    {IDS_F37_NAME_SERVER, Default},
    {IDS_F37_SECOND_NAME_SERVER, Default},
    {IDS_F37_ADMINISTRATION_PAGE, Url},
    {IDS_F37_ADMINISTRATOR, Default},
    {IDS_F37_ADMINISTRATOR_PASSWORD, Pin},
    {IDS_F37_WIRELESS_NETWORK, Default},
    {IDS_F37_WIRELESS_SECURITY, UpperAll},
    {IDS_F37_WIRELESS_KEY, Pin},
    {IDS_F37_GUEST_NETWORK, Default},
    {IDS_F37_GUEST_KEY, Pin},
    {IDS_F37_REMOTE_ACCESS_ADDRESS, Default},
    {IDS_F37_REMOTE_ACCESS_USER, Default},
    {IDS_F37_REMOTE_ACCESS_PASSWORD, Pin},
    {IDS_F37_FIRMWARE_VERSION, Default},
    {IDS_F37_FIRMWARE_UPDATED, Date},
    {IDS_F37_BOUGHT_ON, Date},
    {IDS_F37_WARRANTY_UNTIL, Date},
    {IDS_F37_SUPPORT_PHONE, Tel},
    {IDS_F37_SUPPORT_WEB_ADDRESS, Url},
    {IDS_F37_NOTES, Default},
});
// 38: Subscription
constexpr auto kForm38 = Fields({
    {IDS_F38_SERVICE, UpperFirst},
    {IDS_F38_WEB_ADDRESS, Url},
    {IDS_F38_USER_NAME, Default},
    {IDS_F38_PASSWORD, Pin},
    {IDS_F38_E_MAIL, Email},
    {IDS_F38_PLAN, UpperFirst},
    {IDS_F38_PRICE, Default},
    {IDS_F38_BILLING_PERIOD, UpperFirst},
    {IDS_F38_NEXT_PAYMENT, Date},
    {IDS_F38_PAID_WITH, Default},
    {IDS_F38_STARTED_ON, Date},
    {IDS_F38_RENEWS_AUTOMATICALLY, YesNo},
    {IDS_F38_CUSTOMER_NUMBER, Default},
    {IDS_F38_SUPPORT_PHONE, Tel},
    {IDS_F38_NOTES, Default},
});
// 39: School or university
constexpr auto kForm39 = Fields({
    {IDS_F39_SCHOOL, UpperFirst},
    {IDS_F39_STUDENT_NUMBER, Default},
    {IDS_F39_COURSE, UpperFirst},
    {IDS_F39_YEAR, Default},
    {IDS_F39_START_DATE, Date},
    {IDS_F39_END_DATE, Date},
    {IDS_F39_TUTOR, UpperFirst},
    {IDS_F39_TUTOR_E_MAIL, Email},
    {IDS_F39_TUTOR_PHONE, Tel},
    {IDS_F39_ADDRESS, UpperFirst},
    {IDS_F39_PHONE, Tel},
    {IDS_F39_WEB_ADDRESS, Url},
    {IDS_F39_STUDENT_PORTAL, Url},
    {IDS_F39_USER_NAME, Default},
    {IDS_F39_PASSWORD, Pin},
    {IDS_F39_LIBRARY_CARD, Default},
    {IDS_F39_LIBRARY_PIN, Pin},
    {IDS_F39_E_MAIL, Email},
    {IDS_F39_E_MAIL_PASSWORD, Pin},
    {IDS_F39_TIMETABLE, Default},
    {IDS_F39_EXAM_DATES, Default},
    {IDS_F39_GRADES, Default},
    {IDS_F39_NOTES, Default},
});
// 40: Identity card
constexpr auto kForm40 = Fields({
    {IDS_F40_COUNTRY, UpperFirst},
    {IDS_F40_CARD_NUMBER, UpperAll},
    {IDS_F40_SURNAME, UpperAll},
    {IDS_F40_GIVEN_NAMES, UpperAll},
    {IDS_F40_DATE_OF_BIRTH, Date},
    {IDS_F40_PLACE_OF_BIRTH, UpperFirst},
    {IDS_F40_SEX, UpperAll},
    {IDS_F40_NATIONALITY, UpperFirst},
    {IDS_F40_ADDRESS, UpperFirst},
    {IDS_F40_ISSUED_ON, Date},
    {IDS_F40_EXPIRES, Date},
    {IDS_F40_ISSUED_BY, UpperFirst},
    {IDS_F40_PERSONAL_NUMBER, UpperAll},
    {IDS_F40_HEIGHT, Default},
    {IDS_F40_EYE_COLOUR, UpperFirst},
    {IDS_F40_CARD_PIN, Pin},
    {IDS_F40_CARD_PUK, Pin},
    {IDS_F40_SIGNATURE_PIN, Pin},
    {IDS_F40_EMERGENCY_CONTACT, UpperFirst},
    {IDS_F40_EMERGENCY_PHONE, Tel},
    {IDS_F40_NOTES, Default},
});
// 41: Conference call
constexpr auto kForm41 = Fields({
    {IDS_F41_TITLE, UpperFirst},
    {IDS_F41_DIAL_IN_NUMBER, Tel},
    {IDS_F41_OTHER_DIAL_IN_NUMBER, Tel},
    {IDS_F41_CONFERENCE_NUMBER, Default},
    {IDS_F41_PARTICIPANT_PIN, Pin},
    {IDS_F41_HOST_PIN, Pin},
    {IDS_F41_ORGANISER, UpperFirst},
    {IDS_F41_ORGANISER_E_MAIL, Email},
    {IDS_F41_START, DateTime},
    {IDS_F41_DURATION, Default},
    {IDS_F41_WEB_MEETING, Url},
    {IDS_F41_MEETING_PASSWORD, Pin},
    {IDS_F41_PROVIDER, UpperFirst},
    {IDS_F41_SUPPORT_PHONE, Tel},
    {IDS_F41_NOTES, Default},
});
// 42: Contact list
constexpr auto kForm42 = Fields({
    {IDS_F3_NAME, UpperAll},
    {IDS_F3_E_MAIL, Email},
    {IDS_F3_PHONE, Tel},
    {IDS_F3_MOBILE, Tel},
    {IDS_F3_NAME, UpperAll},
    {IDS_F3_E_MAIL, Email},
    {IDS_F3_PHONE, Tel},
    {IDS_F3_MOBILE, Tel},
    {IDS_F3_NAME, UpperAll},
    {IDS_F3_E_MAIL, Email},
    {IDS_F3_PHONE, Tel},
    {IDS_F3_MOBILE, Tel},
    {IDS_F3_NAME, UpperAll},
    {IDS_F3_E_MAIL, Email},
    {IDS_F3_PHONE, Tel},
    {IDS_F3_MOBILE, Tel},
    {IDS_F3_NAME, UpperAll},
    {IDS_F3_E_MAIL, Email},
    {IDS_F3_PHONE, Tel},
    {IDS_F3_MOBILE, Tel},
    {IDS_F3_NAME, UpperAll},
    {IDS_F3_E_MAIL, Email},
    {IDS_F3_PHONE, Tel},
    {IDS_F3_MOBILE, Tel},
    {IDS_F3_NAME, UpperAll},
    {IDS_F3_E_MAIL, Email},
    {IDS_F3_PHONE, Tel},
    {IDS_F3_MOBILE, Tel},
    {IDS_F3_NAME, UpperAll},
    {IDS_F3_E_MAIL, Email},
    {IDS_F3_PHONE, Tel},
    {IDS_F3_MOBILE, Tel},
    {IDS_F3_NAME, UpperAll},
    {IDS_F3_E_MAIL, Email},
    {IDS_F3_PHONE, Tel},
    {IDS_F3_MOBILE, Tel},
    {IDS_F3_NAME, UpperAll},
    {IDS_F3_E_MAIL, Email},
    {IDS_F3_PHONE, Tel},
    {IDS_F3_MOBILE, Tel},
});

// By form number: key, name, icon, fields.
constexpr BuiltInForm kCatalogue[kBuiltInFormCount] = {
    Form(500, IDS_FORM_PERSONAL_DETAILS, 110, kForm0),      // 0
    Form(501, IDS_FORM_WEB_LOG_IN, 44, kForm1),             // 1
    Form(502, IDS_FORM_ONLINE_SHOP, 44, kForm2),            // 2
    Form(503, IDS_FORM_CONTACT, 30, kForm3),                // 3
    Form(504, IDS_FORM_CREDIT_CARD, 20, kForm4),            // 4
    Form(505, IDS_FORM_BANK_ACCOUNT, 57, kForm5),           // 5
    Form(506, IDS_FORM_INSURANCE, 67, kForm6),              // 6
    Form(507, IDS_FORM_SOFTWARE_LICENCE, 79, kForm7),       // 7
    Form(508, IDS_FORM_E_MAIL_ACCOUNT, 48, kForm8),         // 8
    Form(509, IDS_FORM_MEMBERSHIP, 76, kForm9),             // 9
    Form(510, IDS_FORM_COMBINATION_LOCK, 74, kForm10),      // 10
    Form(512, IDS_FORM_PASSWORD, 50, kForm11),              // 11
    Form(513, IDS_FORM_PASSPORT, 107, kForm12),             // 12
    Form(514, IDS_FORM_DRIVING_LICENCE, 108, kForm13),      // 13
    Form(515, IDS_FORM_CALLING_CARD, 5, kForm14),           // 14
    Form(516, IDS_FORM_COMPUTER_LOG_IN, 50, kForm15),       // 15
    Form(517, IDS_FORM_MOBILE_PHONE, 109, kForm16),         // 16
    Form(518, IDS_FORM_FREQUENT_FLYER, 47, kForm17),        // 17
    Form(519, IDS_FORM_INTERNET_ACCESS, 48, kForm18),       // 18
    Form(520, IDS_FORM_REGISTRATION_CODE, 79, kForm19),     // 19
    Form(521, IDS_FORM_ALARM_SYSTEM, 51, kForm20),          // 20
    Form(522, IDS_FORM_CAR, 71, kForm21),                   // 21
    Form(523, IDS_FORM_MEDICAL_RECORD, 1, kForm22),         // 22
    Form(524, IDS_FORM_EMPLOYMENT, 1, kForm23),             // 23
    Form(529, IDS_FORM_INVESTMENT_ACCOUNT, 2, kForm24),     // 24
    Form(525, IDS_FORM_LOAN, 1, kForm25),                   // 25
    Form(526, IDS_FORM_HOME_AND_UTILITIES, 1, kForm26),     // 26
    Form(527, IDS_FORM_TAX_DETAILS, 2, kForm27),            // 27
    Form(528, IDS_FORM_HOTEL_BOOKING, 78, kForm28),         // 28
    Form(530, IDS_FORM_PENSION, 2, kForm29),                // 29
    Form(531, IDS_FORM_FLIGHT, 73, kForm30),                // 30
    Form(532, IDS_FORM_SAVINGS_ACCOUNT, 2, kForm31),        // 31
    Form(533, IDS_FORM_DEBIT_CARD, 2, kForm32),             // 32
    Form(534, IDS_FORM_WEBSITE_ADMINISTRATION, 131, kForm33),// 33
    Form(535, IDS_FORM_VOICE_MAIL, 68, kForm34),            // 34
    Form(536, IDS_FORM_LIBRARY_CARD, 98, kForm35),          // 35
    Form(537, IDS_FORM_COMPUTER, 100, kForm36),             // 36
    Form(538, IDS_FORM_NETWORK_DEVICE, 100, kForm37),       // 37
    Form(539, IDS_FORM_SUBSCRIPTION, 112, kForm38),         // 38
    Form(540, IDS_FORM_SCHOOL_OR_UNIVERSITY, 85, kForm39),  // 39
    Form(511, IDS_FORM_IDENTITY_CARD, 89, kForm40),         // 40
    Form(541, IDS_FORM_CONFERENCE_CALL, 68, kForm41),       // 41
    Form(542, IDS_FORM_CONTACT_LIST, 30, kForm42),          // 42
};
// clang-format on

}  // namespace

const BuiltInForm* BuiltInFormByNumber(int number) {
    if (number < 0 || number >= kBuiltInFormCount) return nullptr;
    return &kCatalogue[number];
}

const BuiltInForm* BuiltInFormByKey(uint32_t key) {
    const int number = BuiltInFormNumberOfKey(key);
    return number < 0 ? nullptr : &kCatalogue[number];
}

int BuiltInFormNumberOfKey(uint32_t key) {
    for (int i = 0; i < kBuiltInFormCount; ++i) {
        if (kCatalogue[i].key == key) return i;
    }
    return -1;
}

uint16_t FieldTypeForTemplate(uint32_t kind, bool pin) {
    if (pin) return FT_PASSWORD;
    switch (kind) {
        case TLF_URL: return FT_URL;
        case TLF_DATE: return FT_DATE;
        case TLF_TEL: return FT_PHONE;
        case TLF_EMAIL: return FT_EMAIL;
        case TLF_TIME: return FT_TIME;
        case TLF_DATETIME: return FT_DATETIME;
        default: return FT_TEXT;
    }
}

}  // namespace tl5
