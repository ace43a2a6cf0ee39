#!/usr/bin/env bash
# Makes the demo wallet that `make run` opens: a few folders and cards of different kinds.
# Usage: tools/make-demo-wallet.sh TL5_PROGRAM WALLET PASSWORD
set -euo pipefail
tl5=$1 wallet=$2 password=$3
[ -f "$wallet" ] && exit 0
mkdir -p "$(dirname "$wallet")"
tmp="$wallet.part"
rm -f "$tmp"
t() { printf '%s\n' "$password" | "$tl5" "$@" >/dev/null; }
printf '%s\n%s\n' "$password" "$password" | "$tl5" create "$tmp" --hint "the demo password" >/dev/null
t new-folder "$tmp" / Banking
t new-folder "$tmp" / Web
t new-folder "$tmp" / Home
t new-card "$tmp" Banking --form "Credit card" --name "Visa card"
t set "$tmp" "Banking/Visa card" 0 "4929 1234 5678 9012"
t new-card "$tmp" Banking --form "Bank account" --name "Current account"
t set "$tmp" "Banking/Current account" 0 "Northbank"
t new-card "$tmp" Web --form "Web log-in" --name "Mail"
t set "$tmp" "Web/Mail" 0 "Mail"
t set "$tmp" "Web/Mail" 1 "https://mail.example.org"
t set "$tmp" "Web/Mail" 2 "demo.user"
t set "$tmp" "Web/Mail" 3 "correct-horse-battery"
t new-card "$tmp" Web --form "Online shop" --name "Bookshop"
t new-card "$tmp" Home --form "Alarm system" --name "House alarm"
t new-card "$tmp" Home --form "Combination lock" --name "Bike lock"
t fav add "$tmp" "Web/Mail"
mv "$tmp" "$wallet"
