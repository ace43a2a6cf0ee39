// The English texts of the user interface, by string identifier.
//
// The same table is compiled into the language module (the .mui file the application loads at
// start-up) and linked into the portable core, so the command-line tool and the application show
// the same words.
#pragma once

#include <cstddef>
#include <cstdint>

// The text of a string identifier, or nullptr when the table has none.
const char16_t* StringTableLookup(uint32_t id);

// Number of entries and the identifier at a position (ascending), for checks over the whole table.
size_t StringTableCount();
uint32_t StringTableIdAt(size_t index);
