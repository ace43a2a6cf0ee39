// Resource identifiers of the application's own resources (menus, menu bars, dialogs, icons).
#pragma once

#define IDI_APP 100
