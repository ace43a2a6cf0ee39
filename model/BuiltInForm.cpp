#include "model/BuiltInForm.h"

#include "model/Field.h"

namespace tl5 {

namespace {

// Each form's templates in display order: {key, label string, TemplateKind, PIN}.
// 0: Personal details
const FieldTemplate kForm0[] = {
    {1, 31000, 2, false},  // Full name
    {2, 31001, 2, false},  // Address
    {3, 31002, 2, false},  // City
    {4, 31003, 1, false},  // Postcode
    {5, 31004, 2, false},  // Country
    {6, 31005, 11, false},  // Phone
    {7, 31006, 11, false},  // Mobile
    {8, 31007, 15, false},  // E-mail
    {9, 31008, 8, false},  // Date of birth
    {10, 31009, 2, false},  // Place of birth
    {11, 31010, 2, false},  // Nationality
    {12, 31011, 1, false},  // Identity card number
    {13, 31012, 1, false},  // Tax number
    {14, 31013, 1, false},  // Social security number
    {15, 31014, 1, false},  // Blood group
    {16, 31015, 0, false},  // Notes
};
// 1: Web log-in
const FieldTemplate kForm1[] = {
    {1, 31100, 2, false},  // Site name
    {2, 31101, 3, false},  // Web address
    {3, 31102, 0, false},  // User name
    {4, 31103, 0, true},  // Password
    {5, 31104, 15, false},  // E-mail
    {6, 31105, 2, false},  // Secret question
    {7, 31106, 0, true},  // Answer
    {8, 31107, 8, false},  // Registered on
    {9, 31108, 0, false},  // Account number
    {10, 31109, 0, false},  // Notes
};
// 2: Online shop
const FieldTemplate kForm2[] = {
    {1, 31200, 2, false},  // Shop
    {2, 31201, 3, false},  // Web address
    {3, 31202, 0, false},  // User name
    {4, 31203, 0, true},  // Password
    {5, 31204, 15, false},  // E-mail
    {6, 31205, 0, false},  // Customer number
    {7, 31206, 0, false},  // Payment card
    {8, 31207, 2, false},  // Delivery name
    {9, 31208, 2, false},  // Delivery address
    {10, 31209, 2, false},  // City
    {11, 31210, 1, false},  // Postcode
    {12, 31211, 2, false},  // Country
    {13, 31212, 11, false},  // Phone
    {14, 31213, 2, false},  // Secret question
    {15, 31214, 0, true},  // Answer
    {16, 31215, 8, false},  // Registered on
    {17, 31216, 9, false},  // Newsletter
    {18, 31217, 15, false},  // Support e-mail
    {19, 31218, 11, false},  // Support phone
    {20, 31219, 0, false},  // Notes
};
// 3: Contact
const FieldTemplate kForm3[] = {
    {1, 31300, 2, false},  // First name
    {2, 31301, 2, false},  // Last name
    {3, 31302, 2, false},  // Company
    {4, 31303, 11, false},  // Phone
    {5, 31304, 11, false},  // Work phone
    {6, 31305, 11, false},  // Mobile
    {7, 31306, 11, false},  // Fax
    {8, 31307, 11, false},  // Pager
    {9, 31308, 2, false},  // Street
    {10, 31309, 2, false},  // City
    {11, 31310, 2, false},  // Region
    {12, 31311, 1, false},  // Postcode
    {13, 31312, 2, false},  // Country
    {14, 31313, 3, false},  // Web page
    {15, 31314, 15, false},  // E-mail
    {16, 31315, 15, false},  // Second e-mail
    {17, 31316, 2, false},  // Job title
    {18, 31317, 2, false},  // Department
    {19, 31318, 2, false},  // Work street
    {20, 31319, 2, false},  // Work city
    {21, 31320, 1, false},  // Work postcode
    {22, 31321, 2, false},  // Work country
    {23, 31322, 8, false},  // Birthday
    {24, 31323, 8, false},  // Anniversary
    {25, 31324, 2, false},  // Partner
    {26, 31325, 2, false},  // Children
    {27, 31326, 2, false},  // Assistant
    {28, 31327, 11, false},  // Assistant phone
    {29, 31328, 11, false},  // Car phone
    {30, 31329, 16, false},  // Messenger
    {31, 31330, 3, false},  // Work web page
    {32, 31331, 0, false},  // Category
    {33, 31332, 0, false},  // Notes
};
// 4: Credit card
const FieldTemplate kForm4[] = {
    {1, 31400, 2, false},  // Card type
    {2, 31401, 0, false},  // Card number
    {3, 31402, 1, false},  // Name on card
    {4, 31403, 8, false},  // Valid from
    {5, 31404, 8, false},  // Expires
    {6, 31405, 0, true},  // Security code
    {7, 31406, 0, true},  // PIN
    {8, 31407, 0, false},  // Credit limit
    {9, 31408, 2, false},  // Bank
    {10, 31409, 11, false},  // Customer service
    {11, 31410, 11, false},  // Lost card phone
    {12, 31411, 3, false},  // Web address
    {13, 31412, 0, false},  // Notes
};
// 5: Bank account
const FieldTemplate kForm5[] = {
    {1, 31500, 2, false},  // Bank
    {2, 31501, 2, false},  // Branch
    {3, 31502, 2, false},  // Account holder
    {4, 31503, 0, false},  // Account number
    {5, 31504, 0, false},  // Sort code
    {6, 31505, 1, false},  // IBAN
    {7, 31506, 1, false},  // BIC
    {8, 31507, 2, false},  // Account type
    {9, 31508, 1, false},  // Currency
    {10, 31509, 8, false},  // Opened on
    {11, 31510, 2, false},  // Branch address
    {12, 31511, 2, false},  // City
    {13, 31512, 1, false},  // Postcode
    {14, 31513, 11, false},  // Phone
    {15, 31514, 11, false},  // Fax
    {16, 31515, 15, false},  // E-mail
    {17, 31516, 3, false},  // Web address
    {18, 31517, 0, false},  // Online banking user
    {19, 31518, 0, true},  // Online banking password
    {20, 31519, 0, true},  // Telephone banking PIN
    {21, 31520, 0, false},  // Card number
    {22, 31521, 0, true},  // Card PIN
    {23, 31522, 2, false},  // Adviser
    {24, 31523, 11, false},  // Adviser phone
    {25, 31524, 0, false},  // Notes
};
// 6: Insurance
const FieldTemplate kForm6[] = {
    {1, 31600, 2, false},  // Insurer
    {2, 31601, 2, false},  // Policy type
    {3, 31602, 0, false},  // Policy number
    {4, 31603, 2, false},  // Insured person
    {5, 31604, 2, false},  // Insured item
    {6, 31605, 8, false},  // Start date
    {7, 31606, 8, false},  // End date
    {8, 31607, 0, false},  // Premium
    {9, 31608, 2, false},  // Payment period
    {10, 31609, 0, false},  // Sum insured
    {11, 31610, 0, false},  // Excess
    {12, 31611, 2, false},  // Agent
    {13, 31612, 11, false},  // Agent phone
    {14, 31613, 15, false},  // Agent e-mail
    {15, 31614, 11, false},  // Claims phone
    {16, 31615, 2, false},  // Claims address
    {17, 31616, 3, false},  // Web address
    {18, 31617, 0, false},  // User name
    {19, 31618, 0, true},  // Password
    {20, 31619, 2, false},  // Beneficiary
    {21, 31620, 8, false},  // Renewal date
    {22, 31621, 0, false},  // Notes
};
// 7: Software licence
const FieldTemplate kForm7[] = {
    {1, 31700, 2, false},  // Program
    {2, 31701, 0, false},  // Version
    {3, 31702, 2, false},  // Publisher
    {4, 31703, 2, false},  // Licensed to
    {5, 31704, 1, false},  // Licence key
    {6, 31705, 1, false},  // Serial number
    {7, 31706, 2, false},  // Licence type
    {8, 31707, 0, false},  // Seats
    {9, 31708, 8, false},  // Bought on
    {10, 31709, 0, false},  // Price
    {11, 31710, 0, false},  // Order number
    {12, 31711, 2, false},  // Shop
    {13, 31712, 3, false},  // Download address
    {14, 31713, 15, false},  // Support e-mail
    {15, 31714, 11, false},  // Support phone
    {16, 31715, 0, false},  // Notes
};
// 8: E-mail account
const FieldTemplate kForm8[] = {
    {1, 31800, 2, false},  // Provider
    {2, 31801, 15, false},  // E-mail address
    {3, 31802, 0, false},  // User name
    {4, 31803, 0, true},  // Password
    {5, 31804, 0, false},  // Incoming server
    {6, 31805, 1, false},  // Incoming server type
    {7, 31806, 0, false},  // Incoming port
    {8, 31807, 0, false},  // Outgoing server
    {9, 31808, 0, false},  // Outgoing port
    {10, 31809, 9, false},  // Secure connection
    {11, 31810, 9, false},  // Outgoing server log-in
    {12, 31811, 3, false},  // Web mail
    {13, 31812, 2, false},  // Display name
    {14, 31813, 15, false},  // Reply address
    {15, 31814, 11, false},  // Support phone
    {16, 31815, 2, false},  // Secret question
    {17, 31816, 0, false},  // Notes
};
// 9: Membership
const FieldTemplate kForm9[] = {
    {1, 31900, 2, false},  // Club
    {2, 31901, 2, false},  // Member name
    {3, 31902, 0, false},  // Member number
    {4, 31903, 8, false},  // Member since
    {5, 31904, 8, false},  // Valid until
    {6, 31905, 2, false},  // Level
    {7, 31906, 0, true},  // Password
    {8, 31907, 11, false},  // Phone
    {9, 31908, 3, false},  // Web address
    {10, 31909, 0, false},  // Notes
};
// 10: Combination lock
const FieldTemplate kForm10[] = {
    {1, 32000, 2, false},  // Lock
    {2, 32001, 0, true},  // Combination
    {3, 32002, 2, false},  // Location
    {4, 32003, 0, false},  // Serial number
    {5, 32004, 2, false},  // Notes
};
// 11: Password
const FieldTemplate kForm11[] = {
    {1, 32100, 2, false},  // System
    {2, 32101, 0, false},  // User name
    {3, 32102, 0, true},  // Password
};
// 12: Passport
const FieldTemplate kForm12[] = {
    {1, 32200, 2, false},  // Country
    {2, 32201, 1, false},  // Passport number
    {3, 32202, 1, false},  // Surname
    {4, 32203, 1, false},  // Given names
    {5, 32204, 2, false},  // Nationality
    {6, 32205, 8, false},  // Date of birth
    {7, 32206, 2, false},  // Place of birth
    {8, 32207, 8, false},  // Issued on
    {9, 32208, 8, false},  // Expires
    {10, 32209, 2, false},  // Issued by
    {11, 32210, 0, false},  // Notes
};
// 13: Driving licence
const FieldTemplate kForm13[] = {
    {1, 32300, 1, false},  // Licence number
    {2, 32301, 1, false},  // Surname
    {3, 32302, 1, false},  // Given names
    {4, 32303, 8, false},  // Date of birth
    {5, 32304, 2, false},  // Place of birth
    {6, 32305, 2, false},  // Address
    {7, 32306, 8, false},  // Issued on
    {8, 32307, 8, false},  // Expires
    {9, 32308, 2, false},  // Issued by
    {10, 32309, 1, false},  // Categories
    {11, 32310, 2, false},  // Restrictions
    {12, 32311, 1, false},  // Vehicle registration
    {13, 32312, 2, false},  // Vehicle make
    {14, 32313, 2, false},  // Vehicle model
    {15, 32314, 0, false},  // Vehicle insurance policy
    {16, 32315, 11, false},  // Breakdown service phone
    {17, 32316, 0, false},  // Notes
};
// 14: Calling card
const FieldTemplate kForm14[] = {
    {1, 32400, 2, false},  // Provider
    {2, 32401, 0, false},  // Card number
    {3, 32402, 0, true},  // PIN
    {4, 32403, 11, false},  // Access number
    {5, 32404, 0, false},  // Balance
    {6, 32405, 8, false},  // Expires
    {7, 32406, 11, false},  // Customer service
    {8, 32407, 0, false},  // Notes
};
// 15: Computer log-in
const FieldTemplate kForm15[] = {
    {1, 32500, 2, false},  // Computer
    {2, 32501, 1, false},  // Domain
    {3, 32502, 0, false},  // User name
    {4, 32503, 0, true},  // Password
    {5, 32504, 0, false},  // Network address
    {6, 32505, 2, false},  // Operating system
    {7, 32506, 2, false},  // Administrator
    {8, 32507, 0, true},  // Administrator password
    {9, 32508, 0, false},  // Wireless network
    {10, 32509, 0, true},  // Wireless key
    {11, 32510, 11, false},  // Help desk phone
    {12, 32511, 15, false},  // Help desk e-mail
    {13, 32512, 0, false},  // Notes
};
// 16: Mobile phone
const FieldTemplate kForm16[] = {
    {1, 32600, 11, false},  // Phone number
    {2, 32601, 2, false},  // Network
    {3, 32602, 2, false},  // Make
    {4, 32603, 2, false},  // Model
    {5, 32604, 1, false},  // Serial number
    {6, 32605, 1, false},  // Device identity number
    {7, 32606, 0, false},  // SIM card number
    {8, 32607, 0, true},  // PIN
    {9, 32608, 0, true},  // PUK
    {10, 32609, 0, true},  // Phone lock code
    {11, 32610, 11, false},  // Voice mail number
    {12, 32611, 0, true},  // Voice mail PIN
    {13, 32612, 0, false},  // Contract number
    {14, 32613, 8, false},  // Contract ends
    {15, 32614, 11, false},  // Customer service
    {16, 32615, 3, false},  // Web address
    {17, 32616, 0, true},  // Account password
    {18, 32617, 0, false},  // Notes
};
// 17: Frequent flyer
const FieldTemplate kForm17[] = {
    {1, 32700, 2, false},  // Airline
    {2, 32701, 2, false},  // Programme
    {3, 32702, 0, false},  // Member number
    {4, 32703, 1, false},  // Member name
    {5, 32704, 2, false},  // Status
    {6, 32705, 0, true},  // PIN
    {7, 32706, 3, false},  // Web address
    {8, 32707, 0, false},  // User name
    {9, 32708, 0, true},  // Password
    {10, 32709, 11, false},  // Service phone
    {11, 32710, 8, false},  // Member since
    {12, 32711, 0, false},  // Notes
};
// 18: Internet access
const FieldTemplate kForm18[] = {
    {1, 32800, 2, false},  // Provider
    {2, 32801, 0, false},  // User name
    {3, 32802, 0, true},  // Password
    {4, 32803, 11, false},  // Dial-up number
    {5, 32804, 0, false},  // Name server
    {6, 32805, 11, false},  // Support phone
    {7, 32806, 15, false},  // Support e-mail
    {8, 32807, 0, false},  // Notes
};
// 19: Registration code
const FieldTemplate kForm19[] = {
    {1, 32902, 1, false},  // Program
    {2, 32900, 5, false},  // Registration code
    {3, 32901, 0, false},  // Registered to
};
// 20: Alarm system
const FieldTemplate kForm20[] = {
    {1, 33000, 2, false},  // Location
    {2, 33001, 2, false},  // Installer
    {3, 33002, 0, true},  // Alarm code
    {4, 33003, 0, true},  // Duress code
    {5, 33004, 0, true},  // Master code
    {6, 33005, 2, false},  // Panel location
    {7, 33006, 0, false},  // Zones
    {8, 33007, 2, false},  // Monitoring company
    {9, 33008, 11, false},  // Monitoring phone
    {10, 33009, 0, false},  // Account number
    {11, 33010, 0, true},  // Password
    {12, 33011, 2, false},  // Key holder
    {13, 33012, 11, false},  // Key holder phone
    {14, 33013, 8, false},  // Last service
    {15, 33014, 0, false},  // Notes
};
// 21: Car
const FieldTemplate kForm21[] = {
    {1, 33100, 2, false},  // Make
    {2, 33101, 2, false},  // Model
    {3, 33102, 1, false},  // Registration
    {4, 33103, 1, false},  // Vehicle identification number
    {5, 33104, 2, false},  // Colour
    {6, 33105, 8, false},  // First registered
    {7, 33106, 8, false},  // Bought on
    {8, 33107, 0, true},  // Radio code
    {9, 33108, 0, false},  // Key number
    {10, 33109, 0, false},  // Tyre size
    {11, 33110, 2, false},  // Insurer
    {12, 33111, 0, false},  // Policy number
    {13, 33112, 8, false},  // Service due
    {14, 33113, 2, false},  // Garage
    {15, 33114, 11, false},  // Garage phone
    {16, 33115, 0, false},  // Notes
};
// 22: Medical record
const FieldTemplate kForm22[] = {
    {1, 33200, 2, false},  // Patient
    {2, 33201, 8, false},  // Date of birth
    {3, 33202, 1, false},  // Blood group
    {4, 33203, 2, false},  // Allergies
    {5, 33204, 2, false},  // Conditions
    {6, 33205, 2, false},  // Medicines
    {7, 33206, 2, false},  // Doctor
    {8, 33207, 11, false},  // Doctor phone
    {9, 33208, 2, false},  // Doctor address
    {10, 33209, 2, false},  // Dentist
    {11, 33210, 11, false},  // Dentist phone
    {12, 33211, 2, false},  // Optician
    {13, 33212, 11, false},  // Optician phone
    {14, 33213, 2, false},  // Health insurer
    {15, 33214, 0, false},  // Insurance number
    {16, 33215, 2, false},  // Hospital
    {17, 33216, 11, false},  // Hospital phone
    {18, 33217, 2, false},  // Emergency contact
    {19, 33218, 11, false},  // Emergency phone
    {20, 33219, 2, false},  // Vaccinations
    {21, 33220, 8, false},  // Last check-up
    {22, 33221, 8, false},  // Next check-up
    {23, 33222, 9, false},  // Organ donor
    {24, 33223, 0, false},  // Height
    {25, 33224, 0, false},  // Weight
    {26, 33225, 0, false},  // Glasses prescription
    {27, 33226, 0, false},  // Notes
};
// 23: Employment
const FieldTemplate kForm23[] = {
    {1, 33300, 2, false},  // Employer
    {2, 33301, 2, false},  // Job title
    {3, 33302, 0, false},  // Employee number
    {4, 33303, 2, false},  // Department
    {5, 33304, 2, false},  // Manager
    {6, 33305, 11, false},  // Manager phone
    {7, 33306, 8, false},  // Start date
    {8, 33307, 2, false},  // Office address
    {9, 33308, 11, false},  // Office phone
    {10, 33309, 15, false},  // Work e-mail
    {11, 33310, 3, false},  // Intranet
    {12, 33311, 0, false},  // User name
    {13, 33312, 0, true},  // Password
    {14, 33313, 0, true},  // Door code
    {15, 33314, 0, false},  // Payroll number
    {16, 33315, 1, false},  // Tax code
    {17, 33316, 2, false},  // Pension scheme
    {18, 33317, 0, false},  // Pension number
    {19, 33318, 0, false},  // Holiday days
    {20, 33319, 0, false},  // Working hours
    {21, 33320, 2, false},  // Personnel contact
    {22, 33321, 11, false},  // Personnel phone
    {23, 33322, 15, false},  // Personnel e-mail
    {24, 33323, 0, false},  // Notes
};
// 24: Investment account
const FieldTemplate kForm24[] = {
    {1, 33400, 2, false},  // Broker
    {2, 33401, 0, false},  // Account number
    {3, 33402, 2, false},  // Account holder
    {4, 33403, 0, false},  // User name
    {5, 33404, 0, true},  // Password
    {6, 33405, 0, true},  // Trading PIN
    {7, 33406, 3, false},  // Web address
    {8, 33407, 11, false},  // Phone
    {9, 33408, 2, false},  // Adviser
    {10, 33409, 15, false},  // Adviser e-mail
    {11, 33410, 8, false},  // Opened on
    {12, 33411, 2, false},  // Account type
    {13, 33412, 1, false},  // Currency
    {14, 33413, 0, false},  // Settlement account
    {15, 33414, 1, false},  // Tax reference
    {16, 33415, 0, false},  // Notes
};
// 25: Loan
const FieldTemplate kForm25[] = {
    {1, 33500, 2, false},  // Lender
    {2, 33501, 0, false},  // Loan number
    {3, 33502, 2, false},  // Borrower
    {4, 33503, 2, false},  // Second borrower
    {5, 33504, 0, false},  // Amount
    {6, 33505, 0, false},  // Interest rate
    {7, 33506, 8, false},  // Rate fixed until
    {8, 33507, 0, false},  // Term
    {9, 33508, 8, false},  // Start date
    {10, 33509, 8, false},  // End date
    {11, 33510, 0, false},  // Monthly payment
    {12, 33511, 0, false},  // Payment day
    {13, 33512, 0, false},  // Paid from account
    {14, 33513, 2, false},  // Property address
    {15, 33514, 0, false},  // Property value
    {16, 33515, 2, false},  // Adviser
    {17, 33516, 11, false},  // Adviser phone
    {18, 33517, 15, false},  // Adviser e-mail
    {19, 33518, 11, false},  // Lender phone
    {20, 33519, 2, false},  // Lender address
    {21, 33520, 3, false},  // Web address
    {22, 33521, 0, false},  // User name
    {23, 33522, 0, true},  // Password
    {24, 33523, 0, false},  // Insurance policy
    {25, 33524, 0, false},  // Early repayment fee
    {26, 33525, 0, false},  // Notes
};
// 26: Home and utilities
const FieldTemplate kForm26[] = {
    {1, 33600, 2, false},  // Address
    {2, 33601, 2, false},  // Owner
    {3, 33602, 2, false},  // Landlord
    {4, 33603, 11, false},  // Landlord phone
    {5, 33604, 0, false},  // Rent or mortgage
    {6, 33605, 2, false},  // Electricity supplier
    {7, 33606, 0, false},  // Electricity account
    {8, 33607, 0, false},  // Electricity meter
    {9, 33608, 11, false},  // Electricity phone
    {10, 33609, 2, false},  // Gas supplier
    {11, 33610, 0, false},  // Gas account
    {12, 33611, 0, false},  // Gas meter
    {13, 33612, 11, false},  // Gas phone
    {14, 33613, 2, false},  // Water supplier
    {15, 33614, 0, false},  // Water account
    {16, 33615, 11, false},  // Water phone
    {17, 33616, 2, false},  // Telephone provider
    {18, 33617, 0, false},  // Telephone account
    {19, 33618, 11, false},  // Telephone number
    {20, 33619, 2, false},  // Internet provider
    {21, 33620, 0, false},  // Internet account
    {22, 33621, 0, false},  // Router address
    {23, 33622, 0, true},  // Router password
    {24, 33623, 0, false},  // Wireless network
    {25, 33624, 0, true},  // Wireless key
    {26, 33625, 2, false},  // Television provider
    {27, 33626, 0, false},  // Television account
    {28, 33627, 1, false},  // Local tax reference
    {29, 33628, 2, false},  // Home insurer
    {30, 33629, 0, false},  // Home policy number
    {31, 33630, 0, true},  // Alarm code
    {32, 33631, 2, false},  // Spare key holder
    {33, 33632, 11, false},  // Spare key holder phone
    {34, 33633, 11, false},  // Plumber phone
    {35, 33634, 11, false},  // Electrician phone
    {36, 33635, 8, false},  // Moved in
    {37, 33636, 3, false},  // Web address
    {38, 33637, 0, false},  // Notes
};
// 27: Tax details
const FieldTemplate kForm27[] = {
    {1, 33700, 2, false},  // Country
    {2, 33701, 1, false},  // Tax number
    {3, 33702, 2, false},  // Tax office
    {4, 33703, 2, false},  // Tax office address
    {5, 33704, 11, false},  // Tax office phone
    {6, 33705, 2, false},  // Adviser
    {7, 33706, 11, false},  // Adviser phone
    {8, 33707, 15, false},  // Adviser e-mail
    {9, 33708, 0, false},  // Online user name
    {10, 33709, 0, true},  // Online password
    {11, 33710, 3, false},  // Web address
    {12, 33711, 8, false},  // Filing deadline
    {13, 33712, 8, false},  // Last return filed
    {14, 33713, 0, false},  // Reference
    {15, 33714, 0, false},  // Notes
};
// 28: Hotel booking
const FieldTemplate kForm28[] = {
    {1, 33800, 2, false},  // Hotel
    {2, 33801, 2, false},  // Address
    {3, 33802, 11, false},  // Phone
    {4, 33803, 15, false},  // E-mail
    {5, 33804, 3, false},  // Web address
    {6, 33805, 0, false},  // Booking number
    {7, 33806, 2, false},  // Guest name
    {8, 33807, 18, false},  // Check-in
    {9, 33808, 18, false},  // Check-out
    {10, 33809, 0, false},  // Room
    {11, 33810, 0, false},  // Price
    {12, 33811, 0, false},  // Paid with
    {13, 33812, 0, false},  // Notes
};
// 29: Pension
const FieldTemplate kForm29[] = {
    {1, 33900, 2, false},  // Provider
    {2, 33901, 0, false},  // Plan number
    {3, 33902, 2, false},  // Member
    {4, 33903, 8, false},  // Joined on
    {5, 33904, 8, false},  // Retirement date
    {6, 33905, 0, false},  // Contributions
    {7, 33906, 0, false},  // Employer share
    {8, 33907, 2, false},  // Beneficiary
    {9, 33908, 3, false},  // Web address
    {10, 33909, 0, false},  // User name
    {11, 33910, 0, true},  // Password
    {12, 33911, 11, false},  // Phone
    {13, 33912, 0, false},  // Notes
};
// 30: Flight
const FieldTemplate kForm30[] = {
    {1, 34000, 2, false},  // Airline
    {2, 34001, 1, false},  // Flight number
    {3, 34002, 1, false},  // Booking reference
    {4, 34003, 2, false},  // Passenger
    {5, 34004, 2, false},  // From
    {6, 34005, 2, false},  // To
    {7, 34006, 18, false},  // Departure
    {8, 34007, 18, false},  // Arrival
    {9, 34008, 1, false},  // Seat
    {10, 34009, 0, false},  // Ticket number
    {11, 34010, 0, false},  // Frequent flyer number
    {12, 34011, 17, false},  // Check-in time
    {13, 34012, 11, false},  // Airline phone
    {14, 34013, 0, false},  // Notes
};
// 31: Savings account
const FieldTemplate kForm31[] = {
    {1, 34100, 2, false},  // Bank
    {2, 34101, 2, false},  // Account name
    {3, 34102, 0, false},  // Account number
    {4, 34103, 0, false},  // Sort code
    {5, 34104, 1, false},  // IBAN
    {6, 34105, 0, false},  // Interest rate
    {7, 34106, 0, false},  // Notice period
    {8, 34107, 8, false},  // Opened on
    {9, 34108, 8, false},  // Matures on
    {10, 34109, 0, false},  // Linked account
    {11, 34110, 3, false},  // Web address
    {12, 34111, 0, false},  // User name
    {13, 34112, 0, true},  // Password
    {14, 34113, 0, true},  // PIN
    {15, 34114, 11, false},  // Phone
    {16, 34115, 9, false},  // Tax free
    {17, 34116, 0, false},  // Notes
};
// 32: Debit card
const FieldTemplate kForm32[] = {
    {1, 34200, 2, false},  // Bank
    {2, 34201, 0, false},  // Card number
    {3, 34202, 1, false},  // Name on card
    {4, 34203, 0, false},  // Account number
    {5, 34204, 8, false},  // Valid from
    {6, 34205, 8, false},  // Expires
    {7, 34206, 0, true},  // Security code
    {8, 34207, 0, true},  // PIN
    {9, 34208, 0, false},  // Daily limit
    {10, 34209, 2, false},  // Card type
    {11, 34210, 0, false},  // Issue number
    {12, 34211, 11, false},  // Lost card phone
    {13, 34212, 11, false},  // Customer service
    {14, 34213, 3, false},  // Web address
    {15, 34214, 0, true},  // Online password
    {16, 34215, 9, false},  // Contactless
    {17, 34216, 0, false},  // Notes
};
// 33: Website administration
const FieldTemplate kForm33[] = {
    {1, 34300, 2, false},  // Site name
    {2, 34301, 3, false},  // Web address
    {3, 34302, 3, false},  // Administration page
    {4, 34303, 0, false},  // Administrator
    {5, 34304, 0, true},  // Administrator password
    {6, 34305, 2, false},  // Host
    {7, 34306, 0, false},  // Host account
    {8, 34307, 0, true},  // Host password
    {9, 34308, 3, false},  // Control panel
    {10, 34309, 0, false},  // File transfer server
    {11, 34310, 0, false},  // File transfer user
    {12, 34311, 0, true},  // File transfer password
    {13, 34312, 0, false},  // Database server
    {14, 34313, 0, false},  // Database name
    {15, 34314, 0, false},  // Database user
    {16, 34315, 0, true},  // Database password
    {17, 34316, 0, false},  // Mail server
    {18, 34317, 0, false},  // Mail user
    {19, 34318, 0, true},  // Mail password
    {20, 34319, 2, false},  // Domain registrar
    {21, 34320, 8, false},  // Domain expires
    {22, 34321, 0, false},  // Registrar user
    {23, 34322, 0, true},  // Registrar password
    {24, 34323, 0, false},  // Name servers
    {25, 34324, 8, false},  // Certificate expires
    {26, 34325, 15, false},  // Support e-mail
    {27, 34326, 11, false},  // Support phone
    {28, 34327, 0, false},  // Server address
    {29, 34328, 0, false},  // Server user
    {30, 34329, 0, true},  // Server password
    {31, 34330, 0, false},  // Notes
};
// 34: Voice mail
const FieldTemplate kForm34[] = {
    {1, 34400, 11, false},  // Phone number
    {2, 34401, 11, false},  // Access number
    {3, 34402, 0, false},  // Mailbox
    {4, 34403, 0, true},  // PIN
    {5, 34404, 2, false},  // Greeting
    {6, 34405, 2, false},  // Provider
    {7, 34406, 11, false},  // Customer service
    {8, 34407, 11, false},  // Forward to
    {9, 34408, 11, false},  // Other number
    {10, 34409, 0, false},  // Notes
};
// 35: Library card
const FieldTemplate kForm35[] = {
    {1, 34500, 2, false},  // Library
    {2, 34501, 0, false},  // Card number
    {3, 34502, 2, false},  // Name
    {4, 34503, 0, true},  // PIN
    {5, 34504, 8, false},  // Expires
    {6, 34505, 2, false},  // Branch
    {7, 34506, 2, false},  // Address
    {8, 34507, 11, false},  // Phone
    {9, 34508, 0, false},  // Opening hours
    {10, 34509, 3, false},  // Web address
    {11, 34510, 0, false},  // User name
    {12, 34511, 0, true},  // Password
    {13, 34512, 0, false},  // Notes
};
// 36: Computer
const FieldTemplate kForm36[] = {
    {1, 34600, 2, false},  // Make
    {2, 34601, 2, false},  // Model
    {3, 34602, 1, false},  // Serial number
    {4, 34603, 8, false},  // Bought on
    {5, 34604, 2, false},  // Shop
    {6, 34605, 0, false},  // Price
    {7, 34606, 8, false},  // Warranty until
    {8, 34607, 0, false},  // Processor
    {9, 34608, 0, false},  // Memory
    {10, 34609, 0, false},  // Disk
    {11, 34610, 2, false},  // Operating system
    {12, 34611, 1, false},  // Product key
    {13, 34612, 0, false},  // Computer name
    {14, 34613, 0, false},  // Network address
    {15, 34614, 1, false},  // Hardware address
    {16, 34615, 0, false},  // Administrator
    {17, 34616, 0, true},  // Administrator password
    {18, 34617, 0, false},  // User name
    {19, 34618, 0, true},  // Password
    {20, 34619, 0, true},  // Start-up password
    {21, 34620, 0, true},  // Disk encryption key
    {22, 34621, 2, false},  // Backup location
    {23, 34622, 0, false},  // Wireless network
    {24, 34623, 0, true},  // Wireless key
    {25, 34624, 11, false},  // Support phone
    {26, 34625, 3, false},  // Support web address
    {27, 34626, 0, false},  // Notes
};
// 37: Network device
const FieldTemplate kForm37[] = {
    {1, 34700, 2, false},  // Device
    {2, 34701, 2, false},  // Make
    {3, 34702, 2, false},  // Model
    {4, 34703, 1, false},  // Serial number
    {5, 34704, 2, false},  // Location
    {6, 34705, 0, false},  // Network address
    {7, 34706, 1, false},  // Hardware address
    {8, 34707, 0, false},  // Gateway
    {9, 34708, 0, false},  // Subnet mask
    {10, 34709, 0, false},  // Name server
    {11, 34710, 0, false},  // Second name server
    {12, 34711, 3, false},  // Administration page
    {13, 34712, 0, false},  // Administrator
    {14, 34713, 0, true},  // Administrator password
    {15, 34714, 0, false},  // Wireless network
    {16, 34715, 1, false},  // Wireless security
    {17, 34716, 0, true},  // Wireless key
    {18, 34717, 0, false},  // Guest network
    {19, 34718, 0, true},  // Guest key
    {20, 34719, 0, false},  // Remote access address
    {21, 34720, 0, false},  // Remote access user
    {22, 34721, 0, true},  // Remote access password
    {23, 34722, 0, false},  // Firmware version
    {24, 34723, 8, false},  // Firmware updated
    {25, 34724, 8, false},  // Bought on
    {26, 34725, 8, false},  // Warranty until
    {27, 34726, 11, false},  // Support phone
    {28, 34727, 3, false},  // Support web address
    {29, 34728, 0, false},  // Notes
};
// 38: Subscription
const FieldTemplate kForm38[] = {
    {1, 34800, 2, false},  // Service
    {2, 34801, 3, false},  // Web address
    {3, 34802, 0, false},  // User name
    {4, 34803, 0, true},  // Password
    {5, 34804, 15, false},  // E-mail
    {6, 34805, 2, false},  // Plan
    {7, 34806, 0, false},  // Price
    {8, 34807, 2, false},  // Billing period
    {9, 34808, 8, false},  // Next payment
    {10, 34809, 0, false},  // Paid with
    {11, 34810, 8, false},  // Started on
    {12, 34811, 9, false},  // Renews automatically
    {13, 34812, 0, false},  // Customer number
    {14, 34813, 11, false},  // Support phone
    {15, 34814, 0, false},  // Notes
};
// 39: School or university
const FieldTemplate kForm39[] = {
    {1, 34900, 2, false},  // School
    {2, 34901, 0, false},  // Student number
    {3, 34902, 2, false},  // Course
    {4, 34903, 0, false},  // Year
    {5, 34904, 8, false},  // Start date
    {6, 34905, 8, false},  // End date
    {7, 34906, 2, false},  // Tutor
    {8, 34907, 15, false},  // Tutor e-mail
    {9, 34908, 11, false},  // Tutor phone
    {10, 34909, 2, false},  // Address
    {11, 34910, 11, false},  // Phone
    {12, 34911, 3, false},  // Web address
    {13, 34912, 3, false},  // Student portal
    {14, 34913, 0, false},  // User name
    {15, 34914, 0, true},  // Password
    {16, 34915, 0, false},  // Library card
    {17, 34916, 0, true},  // Library PIN
    {18, 34917, 15, false},  // E-mail
    {19, 34918, 0, true},  // E-mail password
    {20, 34919, 0, false},  // Timetable
    {21, 34920, 0, false},  // Exam dates
    {22, 34921, 0, false},  // Grades
    {23, 34922, 0, false},  // Notes
};
// 40: Identity card
const FieldTemplate kForm40[] = {
    {1, 35000, 2, false},  // Country
    {2, 35001, 1, false},  // Card number
    {3, 35002, 1, false},  // Surname
    {4, 35003, 1, false},  // Given names
    {5, 35004, 8, false},  // Date of birth
    {6, 35005, 2, false},  // Place of birth
    {7, 35006, 1, false},  // Sex
    {8, 35007, 2, false},  // Nationality
    {9, 35008, 2, false},  // Address
    {10, 35009, 8, false},  // Issued on
    {11, 35010, 8, false},  // Expires
    {12, 35011, 2, false},  // Issued by
    {13, 35012, 1, false},  // Personal number
    {14, 35013, 0, false},  // Height
    {15, 35014, 2, false},  // Eye colour
    {16, 35015, 0, true},  // Card PIN
    {17, 35016, 0, true},  // Card PUK
    {18, 35017, 0, true},  // Signature PIN
    {19, 35018, 2, false},  // Emergency contact
    {20, 35019, 11, false},  // Emergency phone
    {21, 35020, 0, false},  // Notes
};
// 41: Conference call
const FieldTemplate kForm41[] = {
    {1, 35100, 2, false},  // Title
    {2, 35101, 11, false},  // Dial-in number
    {3, 35102, 11, false},  // Other dial-in number
    {4, 35103, 0, false},  // Conference number
    {5, 35104, 0, true},  // Participant PIN
    {6, 35105, 0, true},  // Host PIN
    {7, 35106, 2, false},  // Organiser
    {8, 35107, 15, false},  // Organiser e-mail
    {9, 35108, 18, false},  // Start
    {10, 35109, 0, false},  // Duration
    {11, 35110, 3, false},  // Web meeting
    {12, 35111, 0, true},  // Meeting password
    {13, 35112, 2, false},  // Provider
    {14, 35113, 11, false},  // Support phone
    {15, 35114, 0, false},  // Notes
};
// 42: Contact list
const FieldTemplate kForm42[] = {
    {1, 31333, 1, false},  // Name
    {2, 31314, 15, false},  // E-mail
    {3, 31303, 11, false},  // Phone
    {4, 31305, 11, false},  // Mobile
    {5, 31333, 1, false},  // Name
    {6, 31314, 15, false},  // E-mail
    {7, 31303, 11, false},  // Phone
    {8, 31305, 11, false},  // Mobile
    {9, 31333, 1, false},  // Name
    {10, 31314, 15, false},  // E-mail
    {11, 31303, 11, false},  // Phone
    {12, 31305, 11, false},  // Mobile
    {13, 31333, 1, false},  // Name
    {14, 31314, 15, false},  // E-mail
    {15, 31303, 11, false},  // Phone
    {16, 31305, 11, false},  // Mobile
    {17, 31333, 1, false},  // Name
    {18, 31314, 15, false},  // E-mail
    {19, 31303, 11, false},  // Phone
    {20, 31305, 11, false},  // Mobile
    {21, 31333, 1, false},  // Name
    {22, 31314, 15, false},  // E-mail
    {23, 31303, 11, false},  // Phone
    {24, 31305, 11, false},  // Mobile
    {25, 31333, 1, false},  // Name
    {26, 31314, 15, false},  // E-mail
    {27, 31303, 11, false},  // Phone
    {28, 31305, 11, false},  // Mobile
    {29, 31333, 1, false},  // Name
    {30, 31314, 15, false},  // E-mail
    {31, 31303, 11, false},  // Phone
    {32, 31305, 11, false},  // Mobile
    {33, 31333, 1, false},  // Name
    {34, 31314, 15, false},  // E-mail
    {35, 31303, 11, false},  // Phone
    {36, 31305, 11, false},  // Mobile
    {37, 31333, 1, false},  // Name
    {38, 31314, 15, false},  // E-mail
    {39, 31303, 11, false},  // Phone
    {40, 31305, 11, false},  // Mobile
};

const BuiltInForm kCatalogue[kBuiltInFormCount] = {
    {500, 39000, 110, 16, kForm0},  // 0: Personal details
    {501, 39001, 44, 10, kForm1},  // 1: Web log-in
    {502, 39002, 44, 20, kForm2},  // 2: Online shop
    {503, 39003, 30, 33, kForm3},  // 3: Contact
    {504, 39004, 20, 13, kForm4},  // 4: Credit card
    {505, 39005, 57, 25, kForm5},  // 5: Bank account
    {506, 39006, 67, 22, kForm6},  // 6: Insurance
    {507, 39007, 79, 16, kForm7},  // 7: Software licence
    {508, 39008, 48, 17, kForm8},  // 8: E-mail account
    {509, 39009, 76, 10, kForm9},  // 9: Membership
    {510, 39010, 74, 5, kForm10},  // 10: Combination lock
    {512, 39011, 50, 3, kForm11},  // 11: Password
    {513, 39012, 107, 11, kForm12},  // 12: Passport
    {514, 39013, 108, 17, kForm13},  // 13: Driving licence
    {515, 39014, 5, 8, kForm14},  // 14: Calling card
    {516, 39015, 50, 13, kForm15},  // 15: Computer log-in
    {517, 39016, 109, 18, kForm16},  // 16: Mobile phone
    {518, 39017, 47, 12, kForm17},  // 17: Frequent flyer
    {519, 39018, 48, 8, kForm18},  // 18: Internet access
    {520, 39019, 79, 3, kForm19},  // 19: Registration code
    {521, 39020, 51, 15, kForm20},  // 20: Alarm system
    {522, 39021, 71, 16, kForm21},  // 21: Car
    {523, 39024, 1, 27, kForm22},  // 22: Medical record
    {524, 39025, 1, 24, kForm23},  // 23: Employment
    {529, 39028, 2, 16, kForm24},  // 24: Investment account
    {525, 39022, 1, 26, kForm25},  // 25: Loan
    {526, 39023, 1, 38, kForm26},  // 26: Home and utilities
    {527, 39026, 2, 15, kForm27},  // 27: Tax details
    {528, 39027, 78, 13, kForm28},  // 28: Hotel booking
    {530, 39029, 2, 13, kForm29},  // 29: Pension
    {531, 39030, 73, 14, kForm30},  // 30: Flight
    {532, 39031, 2, 17, kForm31},  // 31: Savings account
    {533, 39034, 2, 17, kForm32},  // 32: Debit card
    {534, 39035, 131, 31, kForm33},  // 33: Website administration
    {535, 39036, 68, 10, kForm34},  // 34: Voice mail
    {536, 39037, 98, 13, kForm35},  // 35: Library card
    {537, 39038, 100, 27, kForm36},  // 36: Computer
    {538, 39039, 100, 29, kForm37},  // 37: Network device
    {539, 39040, 112, 15, kForm38},  // 38: Subscription
    {540, 39041, 85, 23, kForm39},  // 39: School or university
    {511, 39033, 89, 21, kForm40},  // 40: Identity card
    {541, 39042, 68, 15, kForm41},  // 41: Conference call
    {542, 39043, 30, 40, kForm42},  // 42: Contact list
};

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
