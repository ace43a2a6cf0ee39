// The 43 built-in forms as data: each form's field templates, then the catalogue of the forms in number
// order. A template's key is its position in its form, counted from 1; cards made from a form keep these
// keys, so a template is only ever added at the end of its form.
#include "model/BuiltInForm.h"

#include <array>
#include <cstddef>

#include "model/Field.h"

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

// One line of a form: the label's string identifier and the kind.
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
    {31000, UpperFirst},  // Full name
    {31001, UpperFirst},  // Address
    {31002, UpperFirst},  // City
    {31003, UpperAll},    // Postcode
    {31004, UpperFirst},  // Country
    {31005, Tel},         // Phone
    {31006, Tel},         // Mobile
    {31007, Email},       // E-mail
    {31008, Date},        // Date of birth
    {31009, UpperFirst},  // Place of birth
    {31010, UpperFirst},  // Nationality
    {31011, UpperAll},    // Identity card number
    {31012, UpperAll},    // Tax number
    {31013, UpperAll},    // Social security number
    {31014, UpperAll},    // Blood group
    {31015, Default},     // Notes
});
// 1: Web log-in
constexpr auto kForm1 = Fields({
    {31100, UpperFirst},  // Site name
    {31101, Url},         // Web address
    {31102, Default},     // User name
    {31103, Pin},         // Password
    {31104, Email},       // E-mail
    {31105, UpperFirst},  // Secret question
    {31106, Pin},         // Answer
    {31107, Date},        // Registered on
    {31108, Default},     // Account number
    {31109, Default},     // Notes
});
// 2: Online shop
constexpr auto kForm2 = Fields({
    {31200, UpperFirst},  // Shop
    {31201, Url},         // Web address
    {31202, Default},     // User name
    {31203, Pin},         // Password
    {31204, Email},       // E-mail
    {31205, Default},     // Customer number
    {31206, Default},     // Payment card
    {31207, UpperFirst},  // Delivery name
    {31208, UpperFirst},  // Delivery address
    {31209, UpperFirst},  // City
    {31210, UpperAll},    // Postcode
    {31211, UpperFirst},  // Country
    {31212, Tel},         // Phone
    {31213, UpperFirst},  // Secret question
    {31214, Pin},         // Answer
    {31215, Date},        // Registered on
    {31216, YesNo},       // Newsletter
    {31217, Email},       // Support e-mail
    {31218, Tel},         // Support phone
    {31219, Default},     // Notes
});
// 3: Contact
constexpr auto kForm3 = Fields({
    {31300, UpperFirst},  // First name
    {31301, UpperFirst},  // Last name
    {31302, UpperFirst},  // Company
    {31303, Tel},         // Phone
    {31304, Tel},         // Work phone
    {31305, Tel},         // Mobile
    {31306, Tel},         // Fax
    {31307, Tel},         // Pager
    {31308, UpperFirst},  // Street
    {31309, UpperFirst},  // City
    {31310, UpperFirst},  // Region
    {31311, UpperAll},    // Postcode
    {31312, UpperFirst},  // Country
    {31313, Url},         // Web page
    {31314, Email},       // E-mail
    {31315, Email},       // Second e-mail
    {31316, UpperFirst},  // Job title
    {31317, UpperFirst},  // Department
    {31318, UpperFirst},  // Work street
    {31319, UpperFirst},  // Work city
    {31320, UpperAll},    // Work postcode
    {31321, UpperFirst},  // Work country
    {31322, Date},        // Birthday
    {31323, Date},        // Anniversary
    {31324, UpperFirst},  // Partner
    {31325, UpperFirst},  // Children
    {31326, UpperFirst},  // Assistant
    {31327, Tel},         // Assistant phone
    {31328, Tel},         // Car phone
    {31329, Link},        // Messenger
    {31330, Url},         // Work web page
    {31331, Default},     // Category
    {31332, Default},     // Notes
});
// 4: Credit card
constexpr auto kForm4 = Fields({
    {31400, UpperFirst},  // Card type
    {31401, Default},     // Card number
    {31402, UpperAll},    // Name on card
    {31403, Date},        // Valid from
    {31404, Date},        // Expires
    {31405, Pin},         // Security code
    {31406, Pin},         // PIN
    {31407, Default},     // Credit limit
    {31408, UpperFirst},  // Bank
    {31409, Tel},         // Customer service
    {31410, Tel},         // Lost card phone
    {31411, Url},         // Web address
    {31412, Default},     // Notes
});
// 5: Bank account
constexpr auto kForm5 = Fields({
    {31500, UpperFirst},  // Bank
    {31501, UpperFirst},  // Branch
    {31502, UpperFirst},  // Account holder
    {31503, Default},     // Account number
    {31504, Default},     // Sort code
    {31505, UpperAll},    // IBAN
    {31506, UpperAll},    // BIC
    {31507, UpperFirst},  // Account type
    {31508, UpperAll},    // Currency
    {31509, Date},        // Opened on
    {31510, UpperFirst},  // Branch address
    {31511, UpperFirst},  // City
    {31512, UpperAll},    // Postcode
    {31513, Tel},         // Phone
    {31514, Tel},         // Fax
    {31515, Email},       // E-mail
    {31516, Url},         // Web address
    {31517, Default},     // Online banking user
    {31518, Pin},         // Online banking password
    {31519, Pin},         // Telephone banking PIN
    {31520, Default},     // Card number
    {31521, Pin},         // Card PIN
    {31522, UpperFirst},  // Adviser
    {31523, Tel},         // Adviser phone
    {31524, Default},     // Notes
});
// 6: Insurance
constexpr auto kForm6 = Fields({
    {31600, UpperFirst},  // Insurer
    {31601, UpperFirst},  // Policy type
    {31602, Default},     // Policy number
    {31603, UpperFirst},  // Insured person
    {31604, UpperFirst},  // Insured item
    {31605, Date},        // Start date
    {31606, Date},        // End date
    {31607, Default},     // Premium
    {31608, UpperFirst},  // Payment period
    {31609, Default},     // Sum insured
    {31610, Default},     // Excess
    {31611, UpperFirst},  // Agent
    {31612, Tel},         // Agent phone
    {31613, Email},       // Agent e-mail
    {31614, Tel},         // Claims phone
    {31615, UpperFirst},  // Claims address
    {31616, Url},         // Web address
    {31617, Default},     // User name
    {31618, Pin},         // Password
    {31619, UpperFirst},  // Beneficiary
    {31620, Date},        // Renewal date
    {31621, Default},     // Notes
});
// 7: Software licence
constexpr auto kForm7 = Fields({
    {31700, UpperFirst},  // Program
    {31701, Default},     // Version
    {31702, UpperFirst},  // Publisher
    {31703, UpperFirst},  // Licensed to
    {31704, UpperAll},    // Licence key
    {31705, UpperAll},    // Serial number
    {31706, UpperFirst},  // Licence type
    {31707, Default},     // Seats
    {31708, Date},        // Bought on
    {31709, Default},     // Price
    {31710, Default},     // Order number
    {31711, UpperFirst},  // Shop
    {31712, Url},         // Download address
    {31713, Email},       // Support e-mail
    {31714, Tel},         // Support phone
    {31715, Default},     // Notes
});
// 8: E-mail account
constexpr auto kForm8 = Fields({
    {31800, UpperFirst},  // Provider
    {31801, Email},       // E-mail address
    {31802, Default},     // User name
    {31803, Pin},         // Password
    {31804, Default},     // Incoming server
    {31805, UpperAll},    // Incoming server type
    {31806, Default},     // Incoming port
    {31807, Default},     // Outgoing server
    {31808, Default},     // Outgoing port
    {31809, YesNo},       // Secure connection
    {31810, YesNo},       // Outgoing server log-in
    {31811, Url},         // Web mail
    {31812, UpperFirst},  // Display name
    {31813, Email},       // Reply address
    {31814, Tel},         // Support phone
    {31815, UpperFirst},  // Secret question
    {31816, Default},     // Notes
});
// 9: Membership
constexpr auto kForm9 = Fields({
    {31900, UpperFirst},  // Club
    {31901, UpperFirst},  // Member name
    {31902, Default},     // Member number
    {31903, Date},        // Member since
    {31904, Date},        // Valid until
    {31905, UpperFirst},  // Level
    {31906, Pin},         // Password
    {31907, Tel},         // Phone
    {31908, Url},         // Web address
    {31909, Default},     // Notes
});
// 10: Combination lock
constexpr auto kForm10 = Fields({
    {32000, UpperFirst},  // Lock
    {32001, Pin},         // Combination
    {32002, UpperFirst},  // Location
    {32003, Default},     // Serial number
    {32004, UpperFirst},  // Notes
});
// 11: Password
constexpr auto kForm11 = Fields({
    {32100, UpperFirst},  // System
    {32101, Default},     // User name
    {32102, Pin},         // Password
});
// 12: Passport
constexpr auto kForm12 = Fields({
    {32200, UpperFirst},  // Country
    {32201, UpperAll},    // Passport number
    {32202, UpperAll},    // Surname
    {32203, UpperAll},    // Given names
    {32204, UpperFirst},  // Nationality
    {32205, Date},        // Date of birth
    {32206, UpperFirst},  // Place of birth
    {32207, Date},        // Issued on
    {32208, Date},        // Expires
    {32209, UpperFirst},  // Issued by
    {32210, Default},     // Notes
});
// 13: Driving licence
constexpr auto kForm13 = Fields({
    {32300, UpperAll},    // Licence number
    {32301, UpperAll},    // Surname
    {32302, UpperAll},    // Given names
    {32303, Date},        // Date of birth
    {32304, UpperFirst},  // Place of birth
    {32305, UpperFirst},  // Address
    {32306, Date},        // Issued on
    {32307, Date},        // Expires
    {32308, UpperFirst},  // Issued by
    {32309, UpperAll},    // Categories
    {32310, UpperFirst},  // Restrictions
    {32311, UpperAll},    // Vehicle registration
    {32312, UpperFirst},  // Vehicle make
    {32313, UpperFirst},  // Vehicle model
    {32314, Default},     // Vehicle insurance policy
    {32315, Tel},         // Breakdown service phone
    {32316, Default},     // Notes
});
// 14: Calling card
constexpr auto kForm14 = Fields({
    {32400, UpperFirst},  // Provider
    {32401, Default},     // Card number
    {32402, Pin},         // PIN
    {32403, Tel},         // Access number
    {32404, Default},     // Balance
    {32405, Date},        // Expires
    {32406, Tel},         // Customer service
    {32407, Default},     // Notes
});
// 15: Computer log-in
constexpr auto kForm15 = Fields({
    {32500, UpperFirst},  // Computer
    {32501, UpperAll},    // Domain
    {32502, Default},     // User name
    {32503, Pin},         // Password
    {32504, Default},     // Network address
    {32505, UpperFirst},  // Operating system
    {32506, UpperFirst},  // Administrator
    {32507, Pin},         // Administrator password
    {32508, Default},     // Wireless network
    {32509, Pin},         // Wireless key
    {32510, Tel},         // Help desk phone
    {32511, Email},       // Help desk e-mail
    {32512, Default},     // Notes
});
// 16: Mobile phone
constexpr auto kForm16 = Fields({
    {32600, Tel},         // Phone number
    {32601, UpperFirst},  // Network
    {32602, UpperFirst},  // Make
    {32603, UpperFirst},  // Model
    {32604, UpperAll},    // Serial number
    {32605, UpperAll},    // Device identity number
    {32606, Default},     // SIM card number
    {32607, Pin},         // PIN
    {32608, Pin},         // PUK
    {32609, Pin},         // Phone lock code
    {32610, Tel},         // Voice mail number
    {32611, Pin},         // Voice mail PIN
    {32612, Default},     // Contract number
    {32613, Date},        // Contract ends
    {32614, Tel},         // Customer service
    {32615, Url},         // Web address
    {32616, Pin},         // Account password
    {32617, Default},     // Notes
});
// 17: Frequent flyer
constexpr auto kForm17 = Fields({
    {32700, UpperFirst},  // Airline
    {32701, UpperFirst},  // Programme
    {32702, Default},     // Member number
    {32703, UpperAll},    // Member name
    {32704, UpperFirst},  // Status
    {32705, Pin},         // PIN
    {32706, Url},         // Web address
    {32707, Default},     // User name
    {32708, Pin},         // Password
    {32709, Tel},         // Service phone
    {32710, Date},        // Member since
    {32711, Default},     // Notes
});
// 18: Internet access
constexpr auto kForm18 = Fields({
    {32800, UpperFirst},  // Provider
    {32801, Default},     // User name
    {32802, Pin},         // Password
    {32803, Tel},         // Dial-up number
    {32804, Default},     // Name server
    {32805, Tel},         // Support phone
    {32806, Email},       // Support e-mail
    {32807, Default},     // Notes
});
// 19: Registration code
constexpr auto kForm19 = Fields({
    {32902, UpperAll},    // Program
    {32900, Code},        // Registration code
    {32901, Default},     // Registered to
});
// 20: Alarm system
constexpr auto kForm20 = Fields({
    {33000, UpperFirst},  // Location
    {33001, UpperFirst},  // Installer
    {33002, Pin},         // Alarm code
    {33003, Pin},         // Duress code
    {33004, Pin},         // Master code
    {33005, UpperFirst},  // Panel location
    {33006, Default},     // Zones
    {33007, UpperFirst},  // Monitoring company
    {33008, Tel},         // Monitoring phone
    {33009, Default},     // Account number
    {33010, Pin},         // Password
    {33011, UpperFirst},  // Key holder
    {33012, Tel},         // Key holder phone
    {33013, Date},        // Last service
    {33014, Default},     // Notes
});
// 21: Car
constexpr auto kForm21 = Fields({
    {33100, UpperFirst},  // Make
    {33101, UpperFirst},  // Model
    {33102, UpperAll},    // Registration
    {33103, UpperAll},    // Vehicle identification number
    {33104, UpperFirst},  // Colour
    {33105, Date},        // First registered
    {33106, Date},        // Bought on
    {33107, Pin},         // Radio code
    {33108, Default},     // Key number
    {33109, Default},     // Tyre size
    {33110, UpperFirst},  // Insurer
    {33111, Default},     // Policy number
    {33112, Date},        // Service due
    {33113, UpperFirst},  // Garage
    {33114, Tel},         // Garage phone
    {33115, Default},     // Notes
});
// 22: Medical record
constexpr auto kForm22 = Fields({
    {33200, UpperFirst},  // Patient
    {33201, Date},        // Date of birth
    {33202, UpperAll},    // Blood group
    {33203, UpperFirst},  // Allergies
    {33204, UpperFirst},  // Conditions
    {33205, UpperFirst},  // Medicines
    {33206, UpperFirst},  // Doctor
    {33207, Tel},         // Doctor phone
    {33208, UpperFirst},  // Doctor address
    {33209, UpperFirst},  // Dentist
    {33210, Tel},         // Dentist phone
    {33211, UpperFirst},  // Optician
    {33212, Tel},         // Optician phone
    {33213, UpperFirst},  // Health insurer
    {33214, Default},     // Insurance number
    {33215, UpperFirst},  // Hospital
    {33216, Tel},         // Hospital phone
    {33217, UpperFirst},  // Emergency contact
    {33218, Tel},         // Emergency phone
    {33219, UpperFirst},  // Vaccinations
    {33220, Date},        // Last check-up
    {33221, Date},        // Next check-up
    {33222, YesNo},       // Organ donor
    {33223, Default},     // Height
    {33224, Default},     // Weight
    {33225, Default},     // Glasses prescription
    {33226, Default},     // Notes
});
// 23: Employment
constexpr auto kForm23 = Fields({
    {33300, UpperFirst},  // Employer
    {33301, UpperFirst},  // Job title
    {33302, Default},     // Employee number
    {33303, UpperFirst},  // Department
    {33304, UpperFirst},  // Manager
    {33305, Tel},         // Manager phone
    {33306, Date},        // Start date
    {33307, UpperFirst},  // Office address
    {33308, Tel},         // Office phone
    {33309, Email},       // Work e-mail
    {33310, Url},         // Intranet
    {33311, Default},     // User name
    {33312, Pin},         // Password
    {33313, Pin},         // Door code
    {33314, Default},     // Payroll number
    {33315, UpperAll},    // Tax code
    {33316, UpperFirst},  // Pension scheme
    {33317, Default},     // Pension number
    {33318, Default},     // Holiday days
    {33319, Default},     // Working hours
    {33320, UpperFirst},  // Personnel contact
    {33321, Tel},         // Personnel phone
    {33322, Email},       // Personnel e-mail
    {33323, Default},     // Notes
});
// 24: Investment account
constexpr auto kForm24 = Fields({
    {33400, UpperFirst},  // Broker
    {33401, Default},     // Account number
    {33402, UpperFirst},  // Account holder
    {33403, Default},     // User name
    {33404, Pin},         // Password
    {33405, Pin},         // Trading PIN
    {33406, Url},         // Web address
    {33407, Tel},         // Phone
    {33408, UpperFirst},  // Adviser
    {33409, Email},       // Adviser e-mail
    {33410, Date},        // Opened on
    {33411, UpperFirst},  // Account type
    {33412, UpperAll},    // Currency
    {33413, Default},     // Settlement account
    {33414, UpperAll},    // Tax reference
    {33415, Default},     // Notes
});
// 25: Loan
constexpr auto kForm25 = Fields({
    {33500, UpperFirst},  // Lender
    {33501, Default},     // Loan number
    {33502, UpperFirst},  // Borrower
    {33503, UpperFirst},  // Second borrower
    {33504, Default},     // Amount
    {33505, Default},     // Interest rate
    {33506, Date},        // Rate fixed until
    {33507, Default},     // Term
    {33508, Date},        // Start date
    {33509, Date},        // End date
    {33510, Default},     // Monthly payment
    {33511, Default},     // Payment day
    {33512, Default},     // Paid from account
    {33513, UpperFirst},  // Property address
    {33514, Default},     // Property value
    {33515, UpperFirst},  // Adviser
    {33516, Tel},         // Adviser phone
    {33517, Email},       // Adviser e-mail
    {33518, Tel},         // Lender phone
    {33519, UpperFirst},  // Lender address
    {33520, Url},         // Web address
    {33521, Default},     // User name
    {33522, Pin},         // Password
    {33523, Default},     // Insurance policy
    {33524, Default},     // Early repayment fee
    {33525, Default},     // Notes
});
// 26: Home and utilities
constexpr auto kForm26 = Fields({
    {33600, UpperFirst},  // Address
    {33601, UpperFirst},  // Owner
    {33602, UpperFirst},  // Landlord
    {33603, Tel},         // Landlord phone
    {33604, Default},     // Rent or mortgage
    {33605, UpperFirst},  // Electricity supplier
    {33606, Default},     // Electricity account
    {33607, Default},     // Electricity meter
    {33608, Tel},         // Electricity phone
    {33609, UpperFirst},  // Gas supplier
    {33610, Default},     // Gas account
    {33611, Default},     // Gas meter
    {33612, Tel},         // Gas phone
    {33613, UpperFirst},  // Water supplier
    {33614, Default},     // Water account
    {33615, Tel},         // Water phone
    {33616, UpperFirst},  // Telephone provider
    {33617, Default},     // Telephone account
    {33618, Tel},         // Telephone number
    {33619, UpperFirst},  // Internet provider
    {33620, Default},     // Internet account
    {33621, Default},     // Router address
    {33622, Pin},         // Router password
    {33623, Default},     // Wireless network
    {33624, Pin},         // Wireless key
    {33625, UpperFirst},  // Television provider
    {33626, Default},     // Television account
    {33627, UpperAll},    // Local tax reference
    {33628, UpperFirst},  // Home insurer
    {33629, Default},     // Home policy number
    {33630, Pin},         // Alarm code
    {33631, UpperFirst},  // Spare key holder
    {33632, Tel},         // Spare key holder phone
    {33633, Tel},         // Plumber phone
    {33634, Tel},         // Electrician phone
    {33635, Date},        // Moved in
    {33636, Url},         // Web address
    {33637, Default},     // Notes
});
// 27: Tax details
constexpr auto kForm27 = Fields({
    {33700, UpperFirst},  // Country
    {33701, UpperAll},    // Tax number
    {33702, UpperFirst},  // Tax office
    {33703, UpperFirst},  // Tax office address
    {33704, Tel},         // Tax office phone
    {33705, UpperFirst},  // Adviser
    {33706, Tel},         // Adviser phone
    {33707, Email},       // Adviser e-mail
    {33708, Default},     // Online user name
    {33709, Pin},         // Online password
    {33710, Url},         // Web address
    {33711, Date},        // Filing deadline
    {33712, Date},        // Last return filed
    {33713, Default},     // Reference
    {33714, Default},     // Notes
});
// 28: Hotel booking
constexpr auto kForm28 = Fields({
    {33800, UpperFirst},  // Hotel
    {33801, UpperFirst},  // Address
    {33802, Tel},         // Phone
    {33803, Email},       // E-mail
    {33804, Url},         // Web address
    {33805, Default},     // Booking number
    {33806, UpperFirst},  // Guest name
    {33807, DateTime},    // Check-in
    {33808, DateTime},    // Check-out
    {33809, Default},     // Room
    {33810, Default},     // Price
    {33811, Default},     // Paid with
    {33812, Default},     // Notes
});
// 29: Pension
constexpr auto kForm29 = Fields({
    {33900, UpperFirst},  // Provider
    {33901, Default},     // Plan number
    {33902, UpperFirst},  // Member
    {33903, Date},        // Joined on
    {33904, Date},        // Retirement date
    {33905, Default},     // Contributions
    {33906, Default},     // Employer share
    {33907, UpperFirst},  // Beneficiary
    {33908, Url},         // Web address
    {33909, Default},     // User name
    {33910, Pin},         // Password
    {33911, Tel},         // Phone
    {33912, Default},     // Notes
});
// 30: Flight
constexpr auto kForm30 = Fields({
    {34000, UpperFirst},  // Airline
    {34001, UpperAll},    // Flight number
    {34002, UpperAll},    // Booking reference
    {34003, UpperFirst},  // Passenger
    {34004, UpperFirst},  // From
    {34005, UpperFirst},  // To
    {34006, DateTime},    // Departure
    {34007, DateTime},    // Arrival
    {34008, UpperAll},    // Seat
    {34009, Default},     // Ticket number
    {34010, Default},     // Frequent flyer number
    {34011, Time},        // Check-in time
    {34012, Tel},         // Airline phone
    {34013, Default},     // Notes
});
// 31: Savings account
constexpr auto kForm31 = Fields({
    {34100, UpperFirst},  // Bank
    {34101, UpperFirst},  // Account name
    {34102, Default},     // Account number
    {34103, Default},     // Sort code
    {34104, UpperAll},    // IBAN
    {34105, Default},     // Interest rate
    {34106, Default},     // Notice period
    {34107, Date},        // Opened on
    {34108, Date},        // Matures on
    {34109, Default},     // Linked account
    {34110, Url},         // Web address
    {34111, Default},     // User name
    {34112, Pin},         // Password
    {34113, Pin},         // PIN
    {34114, Tel},         // Phone
    {34115, YesNo},       // Tax free
    {34116, Default},     // Notes
});
// 32: Debit card
constexpr auto kForm32 = Fields({
    {34200, UpperFirst},  // Bank
    {34201, Default},     // Card number
    {34202, UpperAll},    // Name on card
    {34203, Default},     // Account number
    {34204, Date},        // Valid from
    {34205, Date},        // Expires
    {34206, Pin},         // Security code
    {34207, Pin},         // PIN
    {34208, Default},     // Daily limit
    {34209, UpperFirst},  // Card type
    {34210, Default},     // Issue number
    {34211, Tel},         // Lost card phone
    {34212, Tel},         // Customer service
    {34213, Url},         // Web address
    {34214, Pin},         // Online password
    {34215, YesNo},       // Contactless
    {34216, Default},     // Notes
});
// 33: Website administration
constexpr auto kForm33 = Fields({
    {34300, UpperFirst},  // Site name
    {34301, Url},         // Web address
    {34302, Url},         // Administration page
    {34303, Default},     // Administrator
    {34304, Pin},         // Administrator password
    {34305, UpperFirst},  // Host
    {34306, Default},     // Host account
    {34307, Pin},         // Host password
    {34308, Url},         // Control panel
    {34309, Default},     // File transfer server
    {34310, Default},     // File transfer user
    {34311, Pin},         // File transfer password
    {34312, Default},     // Database server
    {34313, Default},     // Database name
    {34314, Default},     // Database user
    {34315, Pin},         // Database password
    {34316, Default},     // Mail server
    {34317, Default},     // Mail user
    {34318, Pin},         // Mail password
    {34319, UpperFirst},  // Domain registrar
    {34320, Date},        // Domain expires
    {34321, Default},     // Registrar user
    {34322, Pin},         // Registrar password
    {34323, Default},     // Name servers
    {34324, Date},        // Certificate expires
    {34325, Email},       // Support e-mail
    {34326, Tel},         // Support phone
    {34327, Default},     // Server address
    {34328, Default},     // Server user
    {34329, Pin},         // Server password
    {34330, Default},     // Notes
});
// 34: Voice mail
constexpr auto kForm34 = Fields({
    {34400, Tel},         // Phone number
    {34401, Tel},         // Access number
    {34402, Default},     // Mailbox
    {34403, Pin},         // PIN
    {34404, UpperFirst},  // Greeting
    {34405, UpperFirst},  // Provider
    {34406, Tel},         // Customer service
    {34407, Tel},         // Forward to
    {34408, Tel},         // Other number
    {34409, Default},     // Notes
});
// 35: Library card
constexpr auto kForm35 = Fields({
    {34500, UpperFirst},  // Library
    {34501, Default},     // Card number
    {34502, UpperFirst},  // Name
    {34503, Pin},         // PIN
    {34504, Date},        // Expires
    {34505, UpperFirst},  // Branch
    {34506, UpperFirst},  // Address
    {34507, Tel},         // Phone
    {34508, Default},     // Opening hours
    {34509, Url},         // Web address
    {34510, Default},     // User name
    {34511, Pin},         // Password
    {34512, Default},     // Notes
});
// 36: Computer
constexpr auto kForm36 = Fields({
    {34600, UpperFirst},  // Make
    {34601, UpperFirst},  // Model
    {34602, UpperAll},    // Serial number
    {34603, Date},        // Bought on
    {34604, UpperFirst},  // Shop
    {34605, Default},     // Price
    {34606, Date},        // Warranty until
    {34607, Default},     // Processor
    {34608, Default},     // Memory
    {34609, Default},     // Disk
    {34610, UpperFirst},  // Operating system
    {34611, UpperAll},    // Product key
    {34612, Default},     // Computer name
    {34613, Default},     // Network address
    {34614, UpperAll},    // Hardware address
    {34615, Default},     // Administrator
    {34616, Pin},         // Administrator password
    {34617, Default},     // User name
    {34618, Pin},         // Password
    {34619, Pin},         // Start-up password
    {34620, Pin},         // Disk encryption key
    {34621, UpperFirst},  // Backup location
    {34622, Default},     // Wireless network
    {34623, Pin},         // Wireless key
    {34624, Tel},         // Support phone
    {34625, Url},         // Support web address
    {34626, Default},     // Notes
});
// 37: Network device
constexpr auto kForm37 = Fields({
    {34700, UpperFirst},  // Device
    {34701, UpperFirst},  // Make
    {34702, UpperFirst},  // Model
    {34703, UpperAll},    // Serial number
    {34704, UpperFirst},  // Location
    {34705, Default},     // Network address
    {34706, UpperAll},    // Hardware address
    {34707, Default},     // Gateway
    {34708, Default},     // Subnet mask
    {34709, Default},     // Name server
    {34710, Default},     // Second name server
    {34711, Url},         // Administration page
    {34712, Default},     // Administrator
    {34713, Pin},         // Administrator password
    {34714, Default},     // Wireless network
    {34715, UpperAll},    // Wireless security
    {34716, Pin},         // Wireless key
    {34717, Default},     // Guest network
    {34718, Pin},         // Guest key
    {34719, Default},     // Remote access address
    {34720, Default},     // Remote access user
    {34721, Pin},         // Remote access password
    {34722, Default},     // Firmware version
    {34723, Date},        // Firmware updated
    {34724, Date},        // Bought on
    {34725, Date},        // Warranty until
    {34726, Tel},         // Support phone
    {34727, Url},         // Support web address
    {34728, Default},     // Notes
});
// 38: Subscription
constexpr auto kForm38 = Fields({
    {34800, UpperFirst},  // Service
    {34801, Url},         // Web address
    {34802, Default},     // User name
    {34803, Pin},         // Password
    {34804, Email},       // E-mail
    {34805, UpperFirst},  // Plan
    {34806, Default},     // Price
    {34807, UpperFirst},  // Billing period
    {34808, Date},        // Next payment
    {34809, Default},     // Paid with
    {34810, Date},        // Started on
    {34811, YesNo},       // Renews automatically
    {34812, Default},     // Customer number
    {34813, Tel},         // Support phone
    {34814, Default},     // Notes
});
// 39: School or university
constexpr auto kForm39 = Fields({
    {34900, UpperFirst},  // School
    {34901, Default},     // Student number
    {34902, UpperFirst},  // Course
    {34903, Default},     // Year
    {34904, Date},        // Start date
    {34905, Date},        // End date
    {34906, UpperFirst},  // Tutor
    {34907, Email},       // Tutor e-mail
    {34908, Tel},         // Tutor phone
    {34909, UpperFirst},  // Address
    {34910, Tel},         // Phone
    {34911, Url},         // Web address
    {34912, Url},         // Student portal
    {34913, Default},     // User name
    {34914, Pin},         // Password
    {34915, Default},     // Library card
    {34916, Pin},         // Library PIN
    {34917, Email},       // E-mail
    {34918, Pin},         // E-mail password
    {34919, Default},     // Timetable
    {34920, Default},     // Exam dates
    {34921, Default},     // Grades
    {34922, Default},     // Notes
});
// 40: Identity card
constexpr auto kForm40 = Fields({
    {35000, UpperFirst},  // Country
    {35001, UpperAll},    // Card number
    {35002, UpperAll},    // Surname
    {35003, UpperAll},    // Given names
    {35004, Date},        // Date of birth
    {35005, UpperFirst},  // Place of birth
    {35006, UpperAll},    // Sex
    {35007, UpperFirst},  // Nationality
    {35008, UpperFirst},  // Address
    {35009, Date},        // Issued on
    {35010, Date},        // Expires
    {35011, UpperFirst},  // Issued by
    {35012, UpperAll},    // Personal number
    {35013, Default},     // Height
    {35014, UpperFirst},  // Eye colour
    {35015, Pin},         // Card PIN
    {35016, Pin},         // Card PUK
    {35017, Pin},         // Signature PIN
    {35018, UpperFirst},  // Emergency contact
    {35019, Tel},         // Emergency phone
    {35020, Default},     // Notes
});
// 41: Conference call
constexpr auto kForm41 = Fields({
    {35100, UpperFirst},  // Title
    {35101, Tel},         // Dial-in number
    {35102, Tel},         // Other dial-in number
    {35103, Default},     // Conference number
    {35104, Pin},         // Participant PIN
    {35105, Pin},         // Host PIN
    {35106, UpperFirst},  // Organiser
    {35107, Email},       // Organiser e-mail
    {35108, DateTime},    // Start
    {35109, Default},     // Duration
    {35110, Url},         // Web meeting
    {35111, Pin},         // Meeting password
    {35112, UpperFirst},  // Provider
    {35113, Tel},         // Support phone
    {35114, Default},     // Notes
});
// 42: Contact list
constexpr auto kForm42 = Fields({
    {31333, UpperAll},    // Name
    {31314, Email},       // E-mail
    {31303, Tel},         // Phone
    {31305, Tel},         // Mobile
    {31333, UpperAll},    // Name
    {31314, Email},       // E-mail
    {31303, Tel},         // Phone
    {31305, Tel},         // Mobile
    {31333, UpperAll},    // Name
    {31314, Email},       // E-mail
    {31303, Tel},         // Phone
    {31305, Tel},         // Mobile
    {31333, UpperAll},    // Name
    {31314, Email},       // E-mail
    {31303, Tel},         // Phone
    {31305, Tel},         // Mobile
    {31333, UpperAll},    // Name
    {31314, Email},       // E-mail
    {31303, Tel},         // Phone
    {31305, Tel},         // Mobile
    {31333, UpperAll},    // Name
    {31314, Email},       // E-mail
    {31303, Tel},         // Phone
    {31305, Tel},         // Mobile
    {31333, UpperAll},    // Name
    {31314, Email},       // E-mail
    {31303, Tel},         // Phone
    {31305, Tel},         // Mobile
    {31333, UpperAll},    // Name
    {31314, Email},       // E-mail
    {31303, Tel},         // Phone
    {31305, Tel},         // Mobile
    {31333, UpperAll},    // Name
    {31314, Email},       // E-mail
    {31303, Tel},         // Phone
    {31305, Tel},         // Mobile
    {31333, UpperAll},    // Name
    {31314, Email},       // E-mail
    {31303, Tel},         // Phone
    {31305, Tel},         // Mobile
});

// number: key, name string, icon, fields
constexpr BuiltInForm kCatalogue[kBuiltInFormCount] = {
    Form(500, 39000, 110, kForm0),      // 0: Personal details
    Form(501, 39001, 44, kForm1),       // 1: Web log-in
    Form(502, 39002, 44, kForm2),       // 2: Online shop
    Form(503, 39003, 30, kForm3),       // 3: Contact
    Form(504, 39004, 20, kForm4),       // 4: Credit card
    Form(505, 39005, 57, kForm5),       // 5: Bank account
    Form(506, 39006, 67, kForm6),       // 6: Insurance
    Form(507, 39007, 79, kForm7),       // 7: Software licence
    Form(508, 39008, 48, kForm8),       // 8: E-mail account
    Form(509, 39009, 76, kForm9),       // 9: Membership
    Form(510, 39010, 74, kForm10),      // 10: Combination lock
    Form(512, 39011, 50, kForm11),      // 11: Password
    Form(513, 39012, 107, kForm12),     // 12: Passport
    Form(514, 39013, 108, kForm13),     // 13: Driving licence
    Form(515, 39014, 5, kForm14),       // 14: Calling card
    Form(516, 39015, 50, kForm15),      // 15: Computer log-in
    Form(517, 39016, 109, kForm16),     // 16: Mobile phone
    Form(518, 39017, 47, kForm17),      // 17: Frequent flyer
    Form(519, 39018, 48, kForm18),      // 18: Internet access
    Form(520, 39019, 79, kForm19),      // 19: Registration code
    Form(521, 39020, 51, kForm20),      // 20: Alarm system
    Form(522, 39021, 71, kForm21),      // 21: Car
    Form(523, 39024, 1, kForm22),       // 22: Medical record
    Form(524, 39025, 1, kForm23),       // 23: Employment
    Form(529, 39028, 2, kForm24),       // 24: Investment account
    Form(525, 39022, 1, kForm25),       // 25: Loan
    Form(526, 39023, 1, kForm26),       // 26: Home and utilities
    Form(527, 39026, 2, kForm27),       // 27: Tax details
    Form(528, 39027, 78, kForm28),      // 28: Hotel booking
    Form(530, 39029, 2, kForm29),       // 29: Pension
    Form(531, 39030, 73, kForm30),      // 30: Flight
    Form(532, 39031, 2, kForm31),       // 31: Savings account
    Form(533, 39034, 2, kForm32),       // 32: Debit card
    Form(534, 39035, 131, kForm33),     // 33: Website administration
    Form(535, 39036, 68, kForm34),      // 34: Voice mail
    Form(536, 39037, 98, kForm35),      // 35: Library card
    Form(537, 39038, 100, kForm36),     // 36: Computer
    Form(538, 39039, 100, kForm37),     // 37: Network device
    Form(539, 39040, 112, kForm38),     // 38: Subscription
    Form(540, 39041, 85, kForm39),      // 39: School or university
    Form(511, 39033, 89, kForm40),      // 40: Identity card
    Form(541, 39042, 68, kForm41),      // 41: Conference call
    Form(542, 39043, 30, kForm42),      // 42: Contact list
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
