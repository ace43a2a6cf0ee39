#!/usr/bin/env bash
# Makes the demo wallet that `make run` opens, with the tl5 program: folders (one with a subfolder),
# cards of different built-in forms filled with made-up values, two favourites and a form in My Forms.
# The same content every time (only the record ids and time stamps differ). An existing demo wallet is
# kept unless this script is newer than it.
# Usage: tools/make-demo-wallet.sh TL5_PROGRAM WALLET PASSWORD
set -euo pipefail
tl5=$1 wallet=$2 password=$3
[ -f "$wallet" ] && [ "$wallet" -nt "${BASH_SOURCE[0]}" ] && exit 0
mkdir -p "$(dirname "$wallet")"
tmp="$wallet.part"
rm -f "$tmp" "$tmp-journal"
t() { printf '%s\n' "$password" | "$tl5" "$@" >/dev/null; }

# card FOLDER FORM NAME [FIELD VALUE]...: a new card of a built-in form, with its fields set by name.
card() {
  local folder=$1 form=$2 name=$3
  shift 3
  t new-card "$tmp" "$folder" --form "$form" --name "$name"
  while [ $# -ge 2 ]; do
    t set "$tmp" "$folder/$name" "$1" "$2"
    shift 2
  done
}

printf '%s\n%s\n' "$password" "$password" | "$tl5" create "$tmp" --hint "the demo password" >/dev/null
t new-folder "$tmp" / Banking
t new-folder "$tmp" / "Web log-ins"
t new-folder "$tmp" / Home
t new-folder "$tmp" Home Documents
t new-folder "$tmp" / Work

card Banking "Credit card" "Visa card" \
  "Card type" "Visa" "Card number" "4929 1234 5678 9012" "Name on card" "ALEX MORGAN" \
  "Expires" "2029-08-31" "Security code" "731" "PIN" "4096" "Bank" "Northbank" \
  "Lost card phone" "+44 20 7946 0321"
card Banking "Bank account" "Current account" \
  "Bank" "Northbank" "Account holder" "Alex Morgan" "Account number" "31926819" "Sort code" "60-16-13" \
  "IBAN" "GB29 NWBK 6016 1331 9268 19" "Web address" "https://bank.example.com" \
  "Online banking user" "amorgan77" "Online banking password" "Tide-Pool-42"
card Banking "Savings account" "Rainy day savings" \
  "Bank" "Harbour Building Society" "Account number" "88104455" "Interest rate" "3.1 %" \
  "Notice period" "30 days" "Web address" "https://harbour.example.net"

card "Web log-ins" "E-mail account" "Webmail" \
  "Provider" "Example Mail" "E-mail address" "alex.morgan@example.org" "User name" "alex.morgan" \
  "Password" "correct-horse-battery" "Web mail" "https://mail.example.org"
card "Web log-ins" "Online shop" "Bookshop" \
  "Shop" "Paper Lantern Books" "Web address" "https://books.example.com" "User name" "alexm" \
  "Password" "Inkwell&Quill9" "Customer number" "C-0042917"
card "Web log-ins" "Web log-in" "Photo album" \
  "Site name" "Snapshot" "Web address" "https://photos.example.net" "User name" "alex_m" \
  "Password" "sunset-over-dunes" "E-mail" "alex.morgan@example.org"

card Home "Alarm system" "House alarm" \
  "Location" "12 Orchard Lane" "Alarm code" "2580" "Monitoring company" "SafeWatch" \
  "Monitoring phone" "+44 1632 960 418"
card Home "Combination lock" "Bike lock" \
  "Lock" "Blue D-lock" "Combination" "0-7-3-1" "Location" "Garden shed"
card Home "Network device" "Wi-Fi router" \
  "Device" "Router" "Make" "Linkwave" "Network address" "192.168.1.1" \
  "Administration page" "http://192.168.1.1" "Administrator password" "router-admin-55" \
  "Wireless network" "OrchardLane" "Wireless key" "plum-tree-window-77"
card Home "Car" "Family car" \
  "Make" "Volta" "Model" "Estate 1.6" "Registration" "MD21 XKE" "Radio code" "1189" \
  "Service due" "2027-03-15" "Garage" "Lane End Motors"
card Home/Documents "Passport" "Passport" \
  "Country" "United Kingdom" "Passport number" "502135326" "Surname" "MORGAN" "Given names" "ALEX" \
  "Expires" "2031-05-19"
card Home/Documents "Driving licence" "Driving licence" \
  "Licence number" "MORGA753116SM9IJ" "Surname" "Morgan" "Given names" "Alex" "Categories" "AM, B, BE"

card Work "Computer log-in" "Office computer" \
  "Computer" "WS-114" "Domain" "CORP" "User name" "amorgan" "Password" "Quarterly-Report-3" \
  "Help desk phone" "+44 20 7946 0999"
card Work "Software licence" "Drawing program" \
  "Program" "Sketchline" "Version" "7" "Licensed to" "Alex Morgan" "Licence key" "SKL7-4QJ2-99TR-KX01"
card Work "Membership" "Gym" \
  "Club" "Riverside Fitness" "Member number" "RF-20931" "Level" "Gold"

# A form of the user's own in My Forms: the gym card's layout, named for what it is for.
t save-as-form "$tmp" "Work/Gym"
t rename "$tmp" "My Forms/Gym" "Club membership"

t fav add "$tmp" "Web log-ins/Webmail"
t fav add "$tmp" "Banking/Visa card"
t check "$tmp"
mv "$tmp" "$wallet"
